// The installer of this build as a user, a stream-deck button and an update use it, in a Wine
// prefix made for this run, with the stand-in microphone: a silent install that starts one
// monitor at once and at logon, the switches, a log folder that cannot be made, an update over
// a running monitor, and a silent uninstall that keeps the profile store as it was.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/Version.h"
#include "harness/win32/Harness.h"
#include "harness/win32/Screenshot.h"
#include "harness/win32/SystemStandIns.h"
#include "platform/win32/Handles.h"

namespace vd::e2e {
namespace {

constexpr wchar_t kMonitorKey[] = L"software\\Vardelngmmouse\\Monitor";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Vardel Mouse Monitor";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vardel Mouse Monitor";

std::wstring AppData(const wchar_t* path) {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder + std::wstring(path);
}
const std::wstring kInstallFolder = AppData(L"\\Programs\\Vardel\\Mouse Monitor\\");
const std::wstring kLogFolder = AppData(L"\\Vardel\\Mouse Monitor");
const std::wstring kProgram = L"\"" + kInstallFolder + L"VDMon.exe\"";
std::wstring Shortcut() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder + std::wstring(L"\\Vardel Mouse Monitor.lnk");
}
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A string or 32-bit value of the user's registry, as text.
std::optional<std::wstring> Value(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  DWORD type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, text, sizeof number);
  return type == REG_DWORD ? std::to_wstring(number) : text;
}

win32::TUniqueHandle Start(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  EXPECT_TRUE(
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  if (info.hThread) CloseHandle(info.hThread);
  return win32::TUniqueHandle(info.hProcess);
}

// Runs a command line to its end; answers its exit code (STILL_ACTIVE on time-out).
DWORD ExitCodeOf(const std::wstring& commandLine) {
  const win32::TUniqueHandle process = Start(commandLine);
  WaitForSingleObject(process.Get(), 60000);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

DWORD Install(const std::wstring& switches) {
  return ExitCodeOf(L"\"" + BuildFolder() + L"..\\dist\\VDMon-setup.exe\" " + switches);
}

// The one running monitor (waited for), its process opened so that its end can be seen.
struct TRunningMonitor {
  DWORD Id = 0;
  win32::TUniqueHandle Process;
  bool Ended() const { return WaitForSingleObject(Process.Get(), 0) == WAIT_OBJECT_0; }
};
TRunningMonitor OneMonitor() {
  TRunningMonitor monitor;
  EXPECT_TRUE(PumpUntil([] { return CountMonitorWindows() == 1 && FindMonitorWindow(); }));
  GetWindowThreadProcessId(FindMonitorWindow(), &monitor.Id);
  monitor.Process.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, monitor.Id));
  wchar_t image[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  QueryFullProcessImageNameW(monitor.Process.Get(), 0, image, &length);
  EXPECT_EQ(std::wstring(image), kInstallFolder + L"VDMon.exe");
  return monitor;
}

// The one tray icon as the screen shows it.
TScreenshot TrayPicture() {
  const std::vector<HWND> icons = TrayIconWindows();
  RECT area{};
  if (icons.size() != 1 || !GetWindowRect(icons.front(), &area)) return {};
  return CaptureScreen(area);
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> StoreContents() {
  std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> contents;
  for (const std::wstring& name : StoreValueNames()) {
    TStoreValue value;
    ReadStoreValue(name, value);
    contents[name] = {value.Type, value.Data};
  }
  return contents;
}

TEST(InstallerTest, InstallsPerUserDrivesTheMonitorUpdatesOverItAndUninstallsKeepingTheProfileStore) {
  ASSERT_TRUE(InstallSystemStandIns()) << "the stand-in microphone needs Wine";
  SetStandInMicrophone(false);
  // A file where the log's folder would be.
  CreateDirectoryW(AppData(L"\\Vardel").c_str(), nullptr);
  ASSERT_TRUE(win32::TUniqueFile(CreateFileW(kLogFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));

  // A silent install: the files, the shortcut, start at logon, the entry among the installed
  // programs, and one monitor of the installed files.
  ASSERT_EQ(Install(L"/S"), 0u);
  for (const wchar_t* file : {L"VDMon.exe", L"ksHook.dll", L"ks.local", L"config.ini", L"Uninstall.exe"})
    EXPECT_TRUE(Exists(kInstallFolder + file)) << file;
  EXPECT_TRUE(Exists(Shortcut()));
  ASSERT_EQ(Value(kRunKey, kRunValue), kProgram);
  const std::pair<const wchar_t*, std::wstring> expected[] = {
      {L"DisplayName", L"Vardel Gaming Mouse Monitor"},
      {L"DisplayVersion", L"" VD_VERSION_TEXT},
      {L"Publisher", L"Vardel"},
      {L"DisplayIcon", kInstallFolder + L"VDMon.exe,0"},
      {L"UninstallString", L"\"" + kInstallFolder + L"Uninstall.exe\""}};
  for (const auto& [name, value] : expected) EXPECT_EQ(Value(kUninstallKey, name), value) << name;
  EXPECT_GT(std::stoi(Value(kUninstallKey, L"EstimatedSize").value_or(L"0")), 100);  // KB
  const TRunningMonitor first = OneMonitor();
  ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }));

  // Started at logon while it runs: still one monitor.
  EXPECT_EQ(ExitCodeOf(*Value(kRunKey, kRunValue)), 0u);
  EXPECT_EQ(CountMonitorWindows(), 1);

  // The switches, while the log cannot be written: an unknown one does nothing, "/togglemute"
  // mutes the microphone and the tray shows it, "/exit" ends the monitor; then none runs.
  EXPECT_EQ(ExitCodeOf(kProgram + L" /mute"), 1u);
  const TScreenshot unmuted = TrayPicture();
  EXPECT_EQ(ExitCodeOf(kProgram + L" /TOGGLEMUTE"), 0u);
  EXPECT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == true; }));
  EXPECT_TRUE(PumpUntil([&] {
    const TScreenshot now = TrayPicture();
    int changed = 0;
    for (std::size_t i = 0; i < now.Pixels.size() && now.Width == unmuted.Width; ++i)
      changed += now.Pixels[i] != unmuted.Pixels[i];
    return changed > unmuted.Width * unmuted.Height / 10;  // the muted icon differs in a quarter
  }));
  EXPECT_TRUE(MessageBoxesOf(first.Id).empty());
  EXPECT_EQ(ExitCodeOf(kProgram + L" /exit"), 0u);
  EXPECT_TRUE(first.Ended());
  EXPECT_EQ(ExitCodeOf(kProgram + L" -togglemute"), 2u);
  EXPECT_EQ(StandInMicrophoneMuted(), true);

  // An update over a running monitor, silent and without start at logon: the old monitor
  // ends, one of the new files runs.
  ASSERT_TRUE(DeleteFileW(kLogFolder.c_str()));
  Start(kProgram);
  const TRunningMonitor second = OneMonitor();
  ASSERT_EQ(Install(L"/S /NOAUTOSTART"), 0u);
  EXPECT_TRUE(second.Ended());
  const TRunningMonitor third = OneMonitor();
  EXPECT_NE(third.Id, second.Id);
  EXPECT_EQ(FileBytes(kInstallFolder + L"VDMon.exe"), FileBytes(BuildFolder() + L"VDMon.exe"));
  EXPECT_EQ(Value(kRunKey, kRunValue), std::nullopt);

  // The log: starts, the installer's "/exit", an end, a mute and what came of it.
  EXPECT_EQ(ExitCodeOf(kProgram + L" /togglemute"), 0u);
  std::string log;
  PumpUntil([&] { return (log = FileBytes(kLogFolder + L"\\VDMon.log")).find("\" on\r\n") != std::string::npos; });
  for (const char* line : {" Started: VDMon " VD_VERSION_TEXT, " Command: /exit\r\n", " Ended\r\n",
                           " Command: /togglemute\r\n", " Microphone mute asked: \"", "\" on\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << " is not in\n" << log;

  // A silent uninstall over the running monitor: nothing of the program stays, the profile
  // store and the monitor's own key in it stay as they were.
  const DWORD off = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, kMonitorKey, L"ShowNotifications", REG_DWORD, &off, sizeof off);
  StoreGameProfile(1, {{8, 28}});
  const auto store = StoreContents();
  ASSERT_EQ(ExitCodeOf(*Value(kUninstallKey, L"UninstallString") + L" /S"), 0u);
  // It goes on from a copy of itself; the program's folders go last.
  EXPECT_TRUE(PumpUntil([] { return !Exists(AppData(L"\\Programs\\Vardel")); }, 30000));
  EXPECT_TRUE(third.Ended());
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_FALSE(Exists(kLogFolder));
  EXPECT_EQ(Value(kRunKey, kRunValue), std::nullopt);
  HKEY entry = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &entry), ERROR_FILE_NOT_FOUND);
  const win32::TUniqueRegKey entryOwner(entry);
  EXPECT_EQ(StoreContents(), store);
  EXPECT_TRUE(store.count(L"T362Profile1.pfd"));
  EXPECT_EQ(Value(kMonitorKey, L"ShowNotifications"), L"0");
}

}  // namespace
}  // namespace vd::e2e
