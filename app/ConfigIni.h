#pragma once
// config.ini beside the executable: the settings file that the system reads and never
// writes.

#include <string>
#include <vector>

namespace vd {

// Hardware identifiers of the devices that may be opened (section "IncludeHIDDeviceList",
// keys id1..id101, read until the first missing or empty one). Empty admits every device.
std::vector<std::u16string> ReadIncludeHidDeviceList();

}  // namespace vd
