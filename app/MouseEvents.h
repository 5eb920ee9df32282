#pragma once
// What the monitor does with the mouse's decoded reports (hid/MouseReport.h). A report is
// turned on the main thread into the private message 7524, which the monitor posts to
// itself; the message's handler then acts in message-queue order with the configurator's
// messages.

#include <cstdint>

#include "hid/MouseReport.h"
#include "profile/ProfileRecords.h"

namespace vd {

constexpr unsigned WM_MOUSE_KEY_EVENT = 7524;

struct TMouseKeyMessage {
  std::uint32_t WParam;  // key index 0..23, or 21 + profile index
  std::int32_t LParam;   // 1 for key indexes
};

// The 7524 message a decoded report asks for. A button press also writes the trace
// "KeyIndex = j postmessage record!" to the debug output.
TMouseKeyMessage MouseKeyMessageFor(const TMouseReport& report);

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
