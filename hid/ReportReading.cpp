#include "hid/ReportReading.h"

namespace vd {

bool DeviceIsGone(std::uint32_t error) {
  switch (error) {
    case HID_ERROR_INVALID_HANDLE:
    case HID_ERROR_BROKEN_PIPE:
    case HID_ERROR_PIPE_NOT_CONNECTED:
    case HID_ERROR_OPERATION_ABORTED:
    case HID_ERROR_DEVICE_NOT_CONNECTED:
      return true;
    default:
      return false;
  }
}

TReadCompletion OutcomeOfCompletedRead(bool succeeded, std::uint32_t error, std::uint32_t bytesRead) {
  if (succeeded) return bytesRead > 0 ? TReadCompletion::Deliver : TReadCompletion::ReadAgain;
  return DeviceIsGone(error) ? TReadCompletion::DeviceGone : TReadCompletion::ReadAgain;
}

}  // namespace vd
