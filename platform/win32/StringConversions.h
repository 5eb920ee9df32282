#pragma once
// Wide-string views of the system's UTF-16 strings.

#include <cstddef>
#include <string>

namespace vd::win32 {

inline const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string U(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }
inline std::u16string U(const wchar_t* s, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}

}  // namespace vd::win32
