#pragma once
// The window messages between the monitor and the configurator. Every look-up of the
// configurator's window is done at the moment of sending; no handle of it is kept.

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
// The mouse switched to profile `index`: writes it as `ProfileID` and sends the notice to
// the configurator, waiting until it has been handled; without the configurator only
// `ProfileID` is written.
void NotifyProfileSwitch(int index);

}  // namespace vd::win32
