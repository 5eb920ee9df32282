// The installer of this build as a user, a stream-deck button and a later update use it, in a
// Wine prefix made for this run: a silent install that starts one monitor and starts it at
// logon, the switches that drive the running monitor (with the stand-in microphone), a log
// folder that cannot be written, an update over a running monitor, and a silent uninstall
// that leaves nothing of the program and keeps the profile store as it was.

#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/Version.h"
#include "platform/win32/Handles.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Screenshot.h"
#include "tests/e2e/SystemStandIns.h"

namespace vd::e2e {
namespace {

constexpr wchar_t kMonitorKey[] = L"software\\Vardelngmmouse\\Monitor";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Vardel Mouse Monitor";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vardel Mouse Monitor";
constexpr const wchar_t* kInstalledFiles[] = {L"VDMon.exe", L"ksHook.dll", L"ks.local", L"config.ini", L"Uninstall.exe"};

std::wstring KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}
std::wstring InstallFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Vardel\\Mouse Monitor\\"; }
std::wstring LogFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Vardel\\Mouse Monitor"; }
std::wstring Shortcut() { return KnownFolder(CSIDL_PROGRAMS) + L"\\Vardel Mouse Monitor.lnk"; }
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return text;
}

std::optional<DWORD> ReadDWord(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

bool KeyExists(const wchar_t* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// Starts a command line; answers its process.
win32::TUniqueHandle Start(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    ADD_FAILURE() << "cannot start the command, error " << GetLastError();
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

DWORD InstallerExitCode(const std::wstring& switches) {
  return ExitCodeOf(L"\"" + BuildFolder() + L"..\\dist\\VDMon-setup.exe\" " + switches);
}

std::wstring Program() { return L"\"" + InstallFolder() + L"VDMon.exe\""; }

// The running monitor: its process, opened while it runs, so that its end can be awaited.
struct TRunningMonitor {
  DWORD Id = 0;
  win32::TUniqueHandle Process;
  std::wstring Image;
  bool Ended(DWORD timeoutMs = 10000) const { return WaitForSingleObject(Process.Get(), timeoutMs) == WAIT_OBJECT_0; }
};

// Waits until exactly one monitor runs and answers it.
TRunningMonitor OneMonitor() {
  TRunningMonitor monitor;
  if (!PumpUntil([] { return CountMonitorWindows() == 1 && FindMonitorWindow(); })) return monitor;
  GetWindowThreadProcessId(FindMonitorWindow(), &monitor.Id);
  monitor.Process.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, monitor.Id));
  wchar_t image[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (QueryFullProcessImageNameW(monitor.Process.Get(), 0, image, &length)) monitor.Image.assign(image, length);
  return monitor;
}

// The picture of the one tray icon, as the screen shows it.
TScreenshot TrayPicture() {
  const std::vector<HWND> icons = TrayIconWindows();
  RECT area{};
  if (icons.size() != 1 || !GetWindowRect(icons.front(), &area)) return {};
  return CaptureScreen(area);
}

int DifferentPixels(const TScreenshot& a, const TScreenshot& b) {
  if (a.Width != b.Width || a.Height != b.Height) return -1;
  int count = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) count += a.Pixels[i] != b.Pixels[i];
  return count;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);  // a wide path: mingw's extension
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The profile store's values by name, with their types and bytes.
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
  // The log's folder cannot be made: a file has its name.
  CreateDirectoryW((KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Vardel").c_str(), nullptr);
  ASSERT_TRUE(win32::TUniqueFile(CreateFileW(LogFolder().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));

  // A silent install: the files, the shortcut, start at logon, the entry among the installed
  // programs, and one monitor started from the installed files.
  ASSERT_EQ(InstallerExitCode(L"/S"), 0u);
  for (const wchar_t* file : kInstalledFiles) EXPECT_TRUE(Exists(InstallFolder() + file)) << file;
  EXPECT_TRUE(Exists(Shortcut()));
  const std::optional<std::wstring> runCommand = ReadString(kRunKey, kRunValue);
  ASSERT_EQ(runCommand, Program());
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), L"Vardel Gaming Mouse Monitor");
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), L"" VD_VERSION_TEXT);
  EXPECT_EQ(ReadString(kUninstallKey, L"Publisher"), L"Vardel");
  EXPECT_EQ(ReadString(kUninstallKey, L"DisplayIcon"), InstallFolder() + L"VDMon.exe,0");
  EXPECT_GT(ReadDWord(kUninstallKey, L"EstimatedSize").value_or(0), 100u);  // KB
  const std::optional<std::wstring> uninstall = ReadString(kUninstallKey, L"UninstallString");
  ASSERT_EQ(uninstall, L"\"" + InstallFolder() + L"Uninstall.exe\"");
  const TRunningMonitor first = OneMonitor();
  ASSERT_NE(first.Id, 0u);
  EXPECT_EQ(first.Image, InstallFolder() + L"VDMon.exe");
  ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }));

  // Started at logon while it runs: still one monitor.
  EXPECT_EQ(ExitCodeOf(*runCommand), 0u);
  PumpFor(500);
  EXPECT_EQ(CountMonitorWindows(), 1);

  // The switches: an unknown one does nothing; "/togglemute" mutes the microphone and the tray
  // shows its muted icon; "/exit" ends the monitor; with none running they do nothing.
  EXPECT_EQ(ExitCodeOf(Program() + L" /mute"), 1u);
  EXPECT_EQ(StandInMicrophoneMuted(), false);
  const TScreenshot unmuted = TrayPicture();
  ASSERT_GT(unmuted.Width, 0);
  EXPECT_EQ(ExitCodeOf(Program() + L" /TOGGLEMUTE"), 0u);
  EXPECT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == true; }));
  EXPECT_TRUE(PumpUntil([&] { return DifferentPixels(TrayPicture(), unmuted) > unmuted.Width * unmuted.Height / 10; }));
  EXPECT_TRUE(MessageBoxesOf(first.Id).empty());
  EXPECT_EQ(ExitCodeOf(Program() + L" /exit"), 0u);
  EXPECT_TRUE(first.Ended(0));
  EXPECT_EQ(CountMonitorWindows(), 0);
  EXPECT_EQ(ExitCodeOf(Program() + L" -togglemute"), 2u);
  EXPECT_EQ(StandInMicrophoneMuted(), true);

  // With the log's folder free again, the next monitor writes its log.
  ASSERT_TRUE(DeleteFileW(LogFolder().c_str()));
  Start(*runCommand);
  const TRunningMonitor second = OneMonitor();
  ASSERT_NE(second.Id, 0u);

  // An update over the running monitor, silent and without start at logon: the old monitor
  // ends and one of the new files runs.
  ASSERT_EQ(InstallerExitCode(L"/S /NOAUTOSTART"), 0u);
  EXPECT_TRUE(second.Ended(0));
  const TRunningMonitor third = OneMonitor();
  ASSERT_NE(third.Id, 0u);
  EXPECT_NE(third.Id, second.Id);
  EXPECT_EQ(ReadFileBytes(InstallFolder() + L"VDMon.exe"), ReadFileBytes(BuildFolder() + L"VDMon.exe"));
  EXPECT_EQ(ReadString(kRunKey, kRunValue), std::nullopt);
  EXPECT_TRUE(Exists(Shortcut()));

  // The log: the second monitor's start and end, the installer's "/exit", and a mute.
  EXPECT_EQ(ExitCodeOf(Program() + L" /togglemute"), 0u);
  EXPECT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == false; }));
  std::string log;
  PumpUntil([&] { return (log = ReadFileBytes(LogFolder() + L"\\VDMon.log")).find("\" on\r\n") != std::string::npos; });
  for (const char* line : {" Started: VDMon " VD_VERSION_TEXT, " Command: /exit\r\n", " Ended\r\n",
                           " Command: /togglemute\r\n", " Microphone mute asked: \""})
    EXPECT_NE(log.find(line), std::string::npos) << line << " is not in\n" << log;
  EXPECT_NE(log.find("\" on\r\n"), std::string::npos) << log;

  // A silent uninstall over the running monitor: nothing of the program stays, the profile
  // store (the monitor's own key with it) stays as it was.
  const DWORD off = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, kMonitorKey, L"ShowNotifications", REG_DWORD, &off, sizeof off);
  StoreGameProfile1({{8, 28}});
  const auto store = StoreContents();
  EXPECT_TRUE(store.count(L"T362Profile1.pfd"));
  ASSERT_EQ(ExitCodeOf(*uninstall + L" /S"), 0u);
  // The uninstaller goes on from a copy of itself in the temporary folder; the program's
  // folders go last.
  EXPECT_TRUE(PumpUntil([] { return !Exists(KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Vardel"); }, 30000));
  EXPECT_TRUE(third.Ended(0));
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_FALSE(Exists(LogFolder()));
  EXPECT_EQ(ReadString(kRunKey, kRunValue), std::nullopt);
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(CountMonitorWindows(), 0);
  EXPECT_EQ(StoreContents(), store);
  EXPECT_EQ(ReadDWord(kMonitorKey, L"ShowNotifications"), 0u);
}

}  // namespace
}  // namespace vd::e2e
