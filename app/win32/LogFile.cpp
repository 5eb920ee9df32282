#include "app/win32/LogFile.h"

#include <shlobj.h>

#include "app/LogFormat.h"
#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

namespace {

TUniqueFile OpenForAppending(const std::u16string& path) {
  return TUniqueFile(CreateFileW(W(path), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

TLogFile::TLogFile(const std::u16string& folder, const std::u16string& name) {
  // Without a folder there is no log: never one in whatever the current directory is.
  if (folder.empty()) return;
  FPath = folder + name;
  SHCreateDirectoryExW(nullptr, W(folder), nullptr);
}

void TLogFile::Write(std::u16string_view event) {
  if (FPath.empty()) return;
  try {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string line =
        FormatLogLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds}, event);
    const std::lock_guard<std::mutex> guard(FLock);
    TUniqueFile file = OpenForAppending(FPath);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return;
    if (LogFileFull(static_cast<std::uint64_t>(size.QuadPart), line.size())) {
      file = TUniqueFile();
      // A file that cannot be set aside takes no more lines: the log stays within its size.
      if (!MoveFileExW(W(FPath), W(FPath + u".1"), MOVEFILE_REPLACE_EXISTING)) return;
      file = OpenForAppending(FPath);
      if (!file) return;
    }
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  } catch (...) {
    // Out of memory: the line is lost, the caller goes on.
  }
}

}  // namespace vd::win32
