#include "app/win32/MonitorLog.h"

#include <shlobj.h>

#include "app/win32/Version.h"
#include "base/Strings.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

namespace {

platform::TPlatform WithLog(platform::TPlatform system, platform::IUserInterface& ui, platform::IEventLog& log) {
  system.UI = &ui;
  system.Log = &log;
  return system;
}

// The system's own version (GetVersionEx answers what the program's manifest admits), and
// Wine's when the program runs under it.
std::u16string SystemVersion() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  using TGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto getVersion =
      ntdll ? reinterpret_cast<TGetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion"))) : nullptr;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  std::u16string text = u"Windows ";
  if (getVersion && getVersion(&version) == 0)
    text += IntToStr(version.dwMajorVersion) + u"." + IntToStr(version.dwMinorVersion) + u"." +
            IntToStr(version.dwBuildNumber);
  else
    text += u"(version unknown)";
  using TWineVersion = const char*(CDECL*)();
  const auto wineVersion =
      ntdll ? reinterpret_cast<TWineVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
            : nullptr;
  if (wineVersion) text += u", Wine " + FromUtf8(wineVersion());
  return text;
}

std::u16string ProgramPath() {
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return U(path, length);
}

}  // namespace

std::u16string MonitorLogFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return u"";
  return U(folder) + u"\\Vardel\\Mouse Monitor\\";
}

TMonitorLog::TMonitorLog()
    : FFile(MonitorLogFolder(), u"VDMon.log"),
      FUserInterface(*platform::Platform().UI, FFile),
      FScope(WithLog(platform::Platform(), FUserInterface, FFile)) {
  const char16_t* bits = sizeof(void*) == 8 ? u"64-bit" : u"32-bit";
  FFile.Write(u"Started: VDMon " + FromUtf8(VD_VERSION_TEXT) + u" (" + bits + u"), " + SystemVersion() + u", " +
              ProgramPath());
}

TMonitorLog::~TMonitorLog() { FFile.Write(u"Ended"); }

}  // namespace vd::win32
