#pragma once
// The one way to report a failed system call: raise an error that names the operation, the
// system's error code and the system's text for it.

#include <windows.h>

#include <string>
#include <string_view>

namespace vd::win32 {

// The system's text for an error code, without the trailing period and line break; empty
// when the system has none.
std::u16string SystemErrorText(DWORD code);

// Raises "OPERATION failed with error CODE: TEXT" (an Exception) for GetLastError().
[[noreturn]] void RaiseLastOSError(std::u16string_view operation);

}  // namespace vd::win32
