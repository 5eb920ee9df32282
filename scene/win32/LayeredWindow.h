#pragma once
// UpdateLayeredWindow, looked up by name in user32.dll once, when the toolkit first needs it:
// where the system lacks it, no window is layered. Tests put a recorder in its place.

#include <windows.h>

namespace vd::win32 {

using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND window, HDC screen, POINT* position, SIZE* size, HDC source,
                                           POINT* sourcePosition, COLORREF key, BLENDFUNCTION* blend, DWORD flags);

// The system's function, or what replaced it; nullptr when there is none.
TUpdateLayeredWindow UpdateLayeredWindowFunction();
// Replaces the function until it is replaced again; answers the one it replaced.
TUpdateLayeredWindow ReplaceUpdateLayeredWindowFunction(TUpdateLayeredWindow function);

}  // namespace vd::win32
