#include "hid/ReportReading.h"

#include <algorithm>
#include <limits>

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

std::optional<TReportView> ViewOfReport(const std::uint8_t* buffer, std::size_t length, std::uint32_t bytesRead) {
  const std::size_t count = std::min<std::size_t>(bytesRead, length);
  if (count == 0) return std::nullopt;
  const std::size_t size = std::min<std::size_t>(count - 1, std::numeric_limits<std::uint16_t>::max());
  return TReportView{buffer[0], buffer + 1, static_cast<std::uint16_t>(size)};
}

}  // namespace vd
