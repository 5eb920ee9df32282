#pragma once
// Which device-change notification a WM_DEVICECHANGE message carries, decided from its event
// code and, for arrivals and removals, the device type of its broadcast header.

#include <cstdint>
#include <optional>

namespace vd {

// Event codes and the device type of an interface, with the system's numbers.
enum TDeviceChangeCode : std::uint32_t {
  DEVICE_EVENT_DEVNODES_CHANGED = 0x0007,
  DEVICE_EVENT_ARRIVAL = 0x8000,
  DEVICE_EVENT_REMOVE_COMPLETE = 0x8004,
  DEVICE_TYPE_INTERFACE = 5,
};

enum class TDeviceChange { None, Arrival, RemoveComplete, NodesChanged };

// `deviceType` is the broadcast header's device type, or nothing when the message carries no
// readable header. Only device interfaces count as arrivals and removals; volumes, ports and
// the like raise nothing.
TDeviceChange ClassifyDeviceChange(std::uint32_t event, std::optional<std::uint32_t> deviceType);

}  // namespace vd
