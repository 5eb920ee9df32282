#pragma once
// What a HID reader makes of its reads, decided without the operating system: whether a read
// that could not be issued or that completed with an error means the device is gone. How a
// completed read becomes a report is in hid/MouseReport.h.

#include <cstdint>

namespace vd {

// System error numbers that a reader meets.
enum THidReadError : std::uint32_t {
  HID_ERROR_INVALID_HANDLE = 6,
  HID_ERROR_BROKEN_PIPE = 109,
  HID_ERROR_PIPE_NOT_CONNECTED = 233,
  HID_ERROR_OPERATION_ABORTED = 995,
  HID_ERROR_DEVICE_NOT_CONNECTED = 1167,
};

// The handle no longer leads to a device: it is invalid, its reads were aborted, the device
// was unplugged, or the far end of the connection (a pipe standing in for a device) closed.
bool DeviceIsGone(std::uint32_t error);

enum class TReadCompletion {
  Deliver,     // a report arrived
  ReadAgain,   // nothing arrived, or the read failed for a passing reason
  DeviceGone,  // the device went away: the reader ends
};

// The outcome of a completed read: whether it succeeded, its error number when it did not,
// and the bytes it transferred.
TReadCompletion OutcomeOfCompletedRead(bool succeeded, std::uint32_t error, std::uint32_t bytesRead);

}  // namespace vd
