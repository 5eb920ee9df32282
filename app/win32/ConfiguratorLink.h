#pragma once
// The monitor's link with the configurator: the window messages between them, and bringing
// it to the front or starting it. Every look-up of the configurator's window is done at the
// moment it is needed; no handle of it is kept.

#include <windows.h>

namespace vd::win32 {

constexpr UINT WM_PROFILE_CHANGED = 7035;          // configurator -> monitor; lParam: profile index
constexpr UINT WM_MONITOR_EXIT = 7036;             // monitor -> configurator, posted
constexpr UINT WM_SETTINGS_CHANGED = 7037;         // configurator -> monitor
constexpr UINT WM_DEVICE_PROFILE_SWITCHED = 7040;  // monitor -> configurator, sent; wParam: profile index

// The configurator's main window found by its caption, or nullptr.
HWND FindConfiguratorByCaption();
// Posts the exit notice to the configurator when it runs.
void PostExitNotice();
// The mouse switched to profile `index`, which is already stored as `ProfileID`: tells the
// configurator, when it runs, waiting until it has handled the message.
void NotifyProfileSwitch(int index);
// Shows the configurator and brings it to the front, or starts it from the monitor's folder
// (never from the current directory or the search path); a failed start is not reported.
void BringConfiguratorToFront();

}  // namespace vd::win32
