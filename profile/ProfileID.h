#pragma once
// The monitor's side of the link with the configurator that goes through the registry:
// the active profile index, stored as `ProfileID` in the profile store's key.

#include <cstdint>

namespace vd {

// Writes `ProfileID` = value as a 32-bit value into the profile store's key. The key is
// opened, never created: without it nothing is written and the answer is false. A failed
// write raises "Failed to set data for 'ProfileID'".
bool WriteProfileID(std::int32_t value);

}  // namespace vd
