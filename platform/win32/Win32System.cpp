#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/Win32Platform.h"

namespace vd::platform {

using win32::U;
using win32::W;

std::uint16_t TWin32Locale::SystemDefaultLangID() { return GetSystemDefaultLangID(); }

std::u16string TWin32Locale::UserAbbrevLangName() {
  wchar_t buffer[4] = {};
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 4)) return u"";
  return U(buffer);
}

int TWin32Locale::CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0,
                                    reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                    reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()));
  return result - CSTR_EQUAL;
}

double TWin32Clock::LocalDateTime() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  FILETIME fileTime{};
  SystemTimeToFileTime(&local, &fileTime);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
  // FILETIME counts 100 ns from 1601-01-01, which is 109205 days before 1899-12-30.
  return static_cast<double>(ticks) / 864000000000.0 - 109205.0;
}

std::uint32_t TWin32Clock::TickCount() { return GetTickCount(); }

TLibraryHandle TWin32Libraries::Load(std::u16string_view fileName, TLibrarySearch search) {
  wchar_t folder[MAX_PATH * 2 + 1] = {};
  std::u16string folders[3];
  if (search == TLibrarySearch::ProgramFolderFirst) {
    const DWORD length = GetModuleFileNameW(nullptr, folder, static_cast<DWORD>(std::size(folder)));
    const std::u16string program = U(folder, length);
    folders[0] = program.substr(0, program.find_last_of(u"\\/") + 1);
    if (UINT n = GetWindowsDirectoryW(folder, MAX_PATH)) folders[2] = U(folder, n) + u"\\";
  }
  if (UINT n = GetSystemDirectoryW(folder, MAX_PATH)) folders[1] = U(folder, n) + u"\\";
  for (const std::u16string& candidate : folders) {
    if (candidate.empty()) continue;
    const std::u16string path = candidate + std::u16string(fileName);
    // LOAD_WITH_ALTERED_SEARCH_PATH: the library's own imports are found beside it.
    if (HMODULE module = LoadLibraryExW(W(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) return module;
  }
  return nullptr;
}

void* TWin32Libraries::Symbol(TLibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void TWin32Libraries::Free(TLibraryHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

int TWin32UserInterface::ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) {
  return MessageBoxW(nullptr, W(std::u16string(text)), W(std::u16string(caption)), flags);
}

void TWin32UserInterface::DebugOutput(std::u16string_view text) { OutputDebugStringW(W(std::u16string(text))); }

std::span<const std::uint8_t> TWin32Resources::StoredForm(std::u16string_view className) {
  return DataResource(className);
}

std::span<const std::uint8_t> TWin32Resources::DataResource(std::u16string_view name) {
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC resource = FindResourceW(program, W(std::u16string(name)), RT_RCDATA);
  const HGLOBAL loaded = resource ? LoadResource(program, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(program, resource)};
}

TWin32Platform::TWin32Platform()
    : FScope(TPlatform{&FRegistry, &FFiles, &FIni, &FLocale, &FClock, &FLibraries, &FUI, &FResources}) {}

}  // namespace vd::platform
