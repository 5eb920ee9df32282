#include <shlobj.h>

#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Win32Platform.h"

namespace vd::platform {

using win32::TUniqueFile;
using win32::U;
using win32::W;

namespace {

DWORD Attributes(std::u16string_view path) { return GetFileAttributesW(W(std::u16string(path))); }

std::uint32_t WriteAll(const std::u16string& path, const void* data, std::size_t size) {
  TUniqueFile file(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    if (!::WriteFile(file.Get(), bytes, chunk, &written, nullptr)) return GetLastError();
    bytes += written;
    size -= written;
  }
  if (!FlushFileBuffers(file.Get())) return GetLastError();
  return 0;
}

}  // namespace

bool TWin32FileSystem::FileExists(std::u16string_view path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32FileSystem::DirectoryExists(std::u16string_view path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t TWin32FileSystem::MakeDirectory(std::u16string_view path) {
  return CreateDirectoryW(W(std::u16string(path)), nullptr) ? 0 : GetLastError();
}

std::uint32_t TWin32FileSystem::ReadFile(std::u16string_view path, TBytes& data) {
  TUniqueFile file(CreateFileW(W(std::u16string(path)), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
  if (size.QuadPart > 0x40000000) return ERROR_NOT_ENOUGH_MEMORY;
  data.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), data.data() + done, static_cast<DWORD>(data.size() - done), &read, nullptr))
      return GetLastError();
    if (read == 0) break;
    done += read;
  }
  data.resize(done);
  return 0;
}

std::uint32_t TWin32FileSystem::WriteFile(std::u16string_view path, const void* data, std::size_t size) {
  // Written beside the target and renamed over it, so an interrupted write never leaves a
  // torn file behind.
  const std::u16string target(path);
  const std::u16string temporary = target + u".new";
  if (const std::uint32_t error = WriteAll(temporary, data, size)) {
    DeleteFileW(W(temporary));
    return error;
  }
  if (!MoveFileExW(W(temporary), W(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(W(temporary));
    return error;
  }
  return 0;
}

std::u16string TWin32FileSystem::SystemErrorMessage(std::uint32_t code) { return win32::SystemErrorText(code); }

std::u16string TWin32FileSystem::ProgramFolder() {
  wchar_t buffer[MAX_PATH * 2 + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  std::u16string path = U(buffer, length);
  return path.substr(0, path.find_last_of(u"\\/") + 1);
}

std::u16string TWin32FileSystem::DocumentsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return u"";
  return U(buffer);
}

std::u16string TWin32IniFiles::ReadString(std::u16string_view file, std::u16string_view section,
                                          std::u16string_view key, std::u16string_view defaultValue) {
  const std::u16string fileName(file), sectionName(section), keyName(key), fallback(defaultValue);
  std::u16string buffer(256, u'\0');
  for (;;) {
    const DWORD length =
        GetPrivateProfileStringW(W(sectionName), W(keyName), W(fallback), reinterpret_cast<wchar_t*>(buffer.data()),
                                 static_cast<DWORD>(buffer.size()), W(fileName));
    if (length + 1 < buffer.size() || buffer.size() >= 65536) return buffer.substr(0, length);
    buffer.assign(buffer.size() * 4, u'\0');
  }
}

}  // namespace vd::platform
