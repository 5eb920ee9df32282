#pragma once
// What the monitor does with the mouse's reports, decided without the operating system. A
// report is turned on the main thread into the private message 7524, which the monitor posts
// to itself; the message's handler then acts in message-queue order with the configurator's
// messages.
//
// Report 0x07: a 24-bit little-endian button mask with exactly one bit j set (button j was
// pressed). Report 0x08: 0x01 followed by a profile index 0..4 (the mouse switched to that
// profile). Both carry 7 data bytes; everything else means nothing.

#include <cstdint>
#include <optional>

#include "profile/ProfileRecords.h"

namespace vd {

constexpr unsigned WM_MOUSE_KEY_EVENT = 7524;

struct TMouseKeyMessage {
  std::uint32_t WParam;  // key index 0..23, or 21 + profile index
  std::int32_t LParam;   // 1 for key indexes
};

// The 7524 message a report asks for; nothing for a report that means nothing. A button
// press also writes the trace "KeyIndex = j postmessage record!" to the debug output.
std::optional<TMouseKeyMessage> MouseKeyMessageFor(std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size);

// What a 7524 message asks the monitor to do.
struct TMouseKeyAction {
  enum class TKind {
    SwitchProfile,   // the mouse switched to profile `Index`
    ButtonFunction,  // button `Button` was pressed, whose assigned function is `Index`
  };
  TKind Kind;
  std::uint32_t Button;
  int Index;
};

// Resolves a 7524 message against the current profile. A wParam outside the 15 button
// records and the five profile switches (15..20, above 25) raises ERangeError.
TMouseKeyAction ResolveMouseKeyMessage(std::uint32_t wParam, const TMouseProfileInfo& currentProfile);

}  // namespace vd
