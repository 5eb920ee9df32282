#pragma once
// The mouse's vendor reports and what the monitor does with them. A report is decoded on
// the main thread into the private message 7524, which the monitor posts to itself; the
// message's handler then acts in message-queue order with the configurator's messages.
//
// Report 0x07: a 24-bit little-endian button mask with exactly one bit j set (button j was
// pressed). Report 0x08: 0x01 followed by a profile index 0..4 (the mouse switched to that
// profile). Both carry 7 data bytes; everything else is dropped.

#include <cstdint>
#include <optional>

#include "profile/ProfileRecords.h"

namespace vd {

constexpr unsigned WM_MOUSE_KEY_EVENT = 7524;

struct TMouseKeyMessage {
  std::uint32_t WParam;  // key index 0..23, or 21 + profile index
  std::int32_t LParam;   // 1 for key indexes
};

// The 7524 message a report asks for; nothing for a report that does not match. A button
// report also writes the trace "KeyIndex = j postmessage record!" to the debug output.
std::optional<TMouseKeyMessage> DecodeMouseReport(std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size);

// What a 7524 message means: a switch to profile `Index`, or the press of button `Button`
// whose assigned function is `Index`.
struct TMouseKeyAction {
  bool ProfileSwitch;
  std::uint32_t Button;
  int Index;
};

// Resolves a 7524 message against the current profile. A wParam outside the 15 button
// records and the five profile switches (15..20, above 25) raises ERangeError.
TMouseKeyAction ResolveMouseKeyMessage(std::uint32_t wParam, const TMouseProfileInfo& currentProfile);

}  // namespace vd
