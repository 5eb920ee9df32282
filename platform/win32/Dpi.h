#pragma once
// The DPI of a window and of a monitor, as a program that declares itself per-monitor aware
// sees them: the system's calls where it has them, bound at run time (GetDpiForWindow since
// Windows 10 1607, the monitor's DPI from shcore.dll since Windows 8.1); 96 where it has
// neither. And the shell's small-icon size at a DPI.

#include <windows.h>

namespace vd::win32 {

// The DPI of the monitor the window is on.
UINT WindowDpi(HWND window);
UINT MonitorDpi(HMONITOR monitor);
// The small-icon size the shell shows icons at on a screen of that DPI: the system's metric
// for the DPI (Windows 10 1607 and later), else its metric for the system's DPI.
int SmallIconSize(UINT dpi);

}  // namespace vd::win32
