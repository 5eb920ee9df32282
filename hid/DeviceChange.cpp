#include "hid/DeviceChange.h"

namespace vd {

TDeviceChange ClassifyDeviceChange(std::uint32_t event, std::optional<std::uint32_t> deviceType) {
  switch (event) {
    case DEVICE_EVENT_DEVNODES_CHANGED:
      return TDeviceChange::NodesChanged;
    case DEVICE_EVENT_ARRIVAL:
    case DEVICE_EVENT_REMOVE_COMPLETE:
      if (deviceType != DEVICE_TYPE_INTERFACE) return TDeviceChange::None;
      return event == DEVICE_EVENT_ARRIVAL ? TDeviceChange::Arrival : TDeviceChange::RemoveComplete;
    default:
      return TDeviceChange::None;
  }
}

}  // namespace vd
