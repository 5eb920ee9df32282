#pragma once
// The HID device interface class: what the HID library's HidD_GetHidGuid answers, for when
// the library is not there, and the class that device notifications are registered for.

#include <windows.h>

namespace vd::win32 {

inline constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace vd::win32
