#pragma once
// What the stand-in mouse is: one vendor collection (usage page 0xFFA0, usage 0x0001) whose
// device path is a named pipe that the test serves and writes the mouse's reports into.
// Shared by the stand-in setup and HID libraries and by the test side.

#include <windows.h>

namespace vd::e2e {

inline constexpr wchar_t kMousePipe[] = L"\\\\.\\pipe\\VardelStandInMouse";
// The hardware IDs of the collection, as the registry's multi-string (ends with two zeros).
inline constexpr wchar_t kMouseHardwareIds[] =
    L"HID\\VID_F055&PID_5600&MI_01&Col01\0HID\\VID_F055&PID_5600&MI_01\0HID_DEVICE_UP:FFA0_U:0001\0HID_DEVICE\0";
// Report ID byte and seven data bytes.
inline constexpr USHORT kMouseReportLength = 8;
inline constexpr USHORT kMouseUsagePage = 0xFFA0;
inline constexpr USHORT kMouseUsage = 0x0001;

}  // namespace vd::e2e
