#include "platform/win32/SystemError.h"

#include "base/Errors.h"
#include "base/Strings.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

std::u16string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text = length ? U(buffer, length) : std::u16string();
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= u' ' || text.back() == u'.')) text.pop_back();
  return text;
}

void RaiseLastOSError(std::u16string_view operation) {
  const DWORD code = GetLastError();
  throw Exception(Format(u"%s failed with error %d: %s", {operation, IntToStr(code), SystemErrorText(code)}));
}

}  // namespace vd::win32
