#include "harness/win32/Harness.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>
#include <memory>

#include "profile/ProfileRecords.h"

namespace vd::e2e {

namespace {

// Waits for the tray menu to open; answers its window or nullptr.
HWND WaitForMenu() {
  HWND menu = nullptr;
  PumpUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); });
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

void RemoveTree(const std::wstring& path) {
  std::wstring from = path + L'\0';
  SHFILEOPSTRUCTW remove{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
  SHFileOperationW(&remove);
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TProgramFolder::TProgramFolder(const std::wstring& name) : FPath(L"C:\\vd-e2e\\" + name + L"\\") {
  CreateDirectoryW(L"C:\\vd-e2e", nullptr);
  RemoveTree(FPath.substr(0, FPath.size() - 1));  // leftovers of an interrupted run
  CreateDirectoryW(FPath.c_str(), nullptr);
  Add(L"VDMon.exe");
}

TProgramFolder::~TProgramFolder() { RemoveTree(FPath.substr(0, FPath.size() - 1)); }

void TProgramFolder::Add(const std::wstring& buildFile, const std::wstring& asName) {
  const std::wstring source = BuildFolder() + buildFile;
  const std::wstring target = FPath + (asName.empty() ? buildFile.substr(buildFile.find_last_of(L'\\') + 1) : asName);
  CopyFileW(source.c_str(), target.c_str(), FALSE);
}

bool TProgramFolder::Contains(const std::wstring& name) const {
  return GetFileAttributesW((FPath + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring TProgramFolder::ReadText(const std::wstring& name) const {
  win32::TUniqueFile file(CreateFileW((FPath + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  if (!file) return L"";
  wchar_t text[2048] = {};
  DWORD read = 0;
  ReadFile(file.Get(), text, sizeof text - sizeof(wchar_t), &read, nullptr);
  return std::wstring(text, read / sizeof(wchar_t));
}

TMonitorProcess::TMonitorProcess(const TProgramFolder& folder, const std::wstring& workingDirectory,
                                 const std::wstring& program) {
  std::wstring commandLine = L"\"" + folder.Path() + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDirectory.c_str(),
                     &startup, &info)) {
    CloseHandle(info.hThread);
    FProcess.Reset(info.hProcess);
    FProcessId = info.dwProcessId;
  }
}

TMonitorProcess::~TMonitorProcess() {
  if (Running()) {
    TerminateProcess(FProcess.Get(), 1);
    WaitForSingleObject(FProcess.Get(), 5000);
  }
}

bool TMonitorProcess::Running() const { return FProcess && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT; }

DWORD TMonitorProcess::WaitForExit(DWORD timeoutMs) {
  if (!FProcess) return STILL_ACTIVE;
  PumpUntil([this] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(FProcess.Get(), &code);
  return code;
}

HWND FindMonitorWindow() { return FindWindowW(L"TVDMonMain", L"VD_MONITOR_EX"); }

int CountMonitorWindows() {
  int count = 0;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"TVDMonMain", nullptr));) ++count;
  return count;
}

namespace {

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
  PumpFor(150);
}

}  // namespace

void MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  // A move of nothing, so that the window under the cursor hears of it as of any move.
  SendMouse(MOUSEEVENTF_MOVE);
}

void PressLeftButton() { SendMouse(MOUSEEVENTF_LEFTDOWN); }

void ReleaseLeftButton() { SendMouse(MOUSEEVENTF_LEFTUP); }

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  for (HWND tray = nullptr; (tray = FindWindowExW(nullptr, tray, L"__winex11_standalone_tray", nullptr));)
    for (HWND icon = nullptr; (icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr));)
      icons.push_back(icon);
  return icons;
}

void ClickTrayIcon(HWND icon, UINT downMessage, UINT upMessage) {
  const LPARAM point = MAKELPARAM(8, 8);
  PostMessageW(icon, downMessage, downMessage == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, point);
  PostMessageW(icon, upMessage, 0, point);
}

HWND OpenTrayMenu(HWND icon) {
  ClickTrayIcon(icon, WM_RBUTTONDOWN, WM_RBUTTONUP);
  return WaitForMenu();
}

bool ChooseTrayMenuItem(HWND icon, int position) {
  const HWND menu = OpenTrayMenu(icon);
  if (!menu) return false;
  // The menu opens with no item selected: the first "down" selects the first item.
  for (int i = 0; i <= position; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return PumpUntil([] { return !FindWindowW(L"#32768", nullptr); });
}

std::vector<std::wstring> ReadTrayMenu(HWND icon) {
  const std::wstring dumpFile = L"C:\\vd-e2e\\menu-items.txt";
  DeleteFileW(dumpFile.c_str());
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(FindMonitorWindow(), &processId);
  const HMODULE spy = LoadLibraryW((BuildFolder() + L"e2e\\MenuSpy.dll").c_str());
  const auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(spy, "MenuSpyGetMessage")));
  const HHOOK hook = procedure ? SetWindowsHookExW(WH_GETMESSAGE, procedure, spy, thread) : nullptr;
  std::vector<std::wstring> captions;
  if (const HWND menu = OpenTrayMenu(icon); menu && hook) {
    PostMessageW(menu, RegisterWindowMessageW(L"VdMenuSpyDump"), 0, 0);
    PumpUntil([&] { return GetFileAttributesW(dumpFile.c_str()) != INVALID_FILE_ATTRIBUTES; });
    PumpFor(200);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpUntil([] { return !FindWindowW(L"#32768", nullptr); });
  }
  if (hook) UnhookWindowsHookEx(hook);
  if (spy) FreeLibrary(spy);
  win32::TUniqueFile file(
      CreateFileW(dumpFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return captions;
  wchar_t text[1024] = {};
  DWORD read = 0;
  ReadFile(file.Get(), text, sizeof text - sizeof(wchar_t), &read, nullptr);
  std::wstring all(text, read / sizeof(wchar_t));
  for (std::size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    captions.push_back(all.substr(start, end - start));
  return captions;
}

std::wstring DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::wstring ProfileFolder() { return DocumentsFolder() + L"\\Gaming Mouse Vardeln"; }

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ClearProfileStore() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  RemoveTree(ProfileFolder());
}

bool ReadStoreValue(const std::wstring& name, TStoreValue& value) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kStoreKey, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.Type, nullptr,
                   &size) != ERROR_SUCCESS)
    return false;
  value.Data.resize(size);
  return RegGetValueW(HKEY_CURRENT_USER, kStoreKey, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.Type,
                      value.Data.data(), &size) == ERROR_SUCCESS;
}

std::vector<std::wstring> StoreValueNames() {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  return names;
}

void WriteStoreValue(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kStoreKey, name.c_str(), type, data, size);
}

void DeleteStoreValue(const std::wstring& name) { RegDeleteKeyValueW(HKEY_CURRENT_USER, kStoreKey, name.c_str()); }

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
}  // namespace

TScreenDpi::TScreenDpi(DWORD dpi) {
  DWORD stored = 0, size = sizeof stored;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &stored, &size) ==
      ERROR_SUCCESS)
    FStored = stored;
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

TScreenDpi::~TScreenDpi() {
  if (FStored)
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &*FStored, sizeof *FStored);
  else
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
}

std::optional<DWORD> StoredProfileId() {
  TStoreValue value;
  if (!ReadStoreValue(L"ProfileID", value) || value.Type != REG_DWORD || value.Data.size() != 4) return std::nullopt;
  DWORD id = 0;
  std::memcpy(&id, value.Data.data(), 4);
  return id;
}

void StoreGameProfile(int game, std::initializer_list<std::pair<int, std::uint16_t>> buttonFunctions) {
  const auto profile = std::make_unique<TMouseProfileInfo>();
  std::memset(profile.get(), 0, sizeof *profile);
  for (const auto& [button, function] : buttonFunctions)
    profile->ConfigInfo.ButtonFuncInfo[button].nFunctionIndex = function;
  WriteStoreValue(L"T362Profile" + std::to_wstring(game) + L".pfd", REG_BINARY, profile.get(), sizeof *profile);
}

std::vector<TMessageBox> MessageBoxesOf(DWORD processId) {
  std::vector<TMessageBox> boxes;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId || !IsWindowVisible(window)) continue;
    TMessageBox box{window, TextOf(window), L"", false};
    // The system's message box keeps its text in the static control 0xFFFF and its icon in 1088.
    if (HWND text = GetDlgItem(window, 0xFFFF)) box.Text = TextOf(text);
    box.HasIcon = GetDlgItem(window, 1088) != nullptr;
    boxes.push_back(box);
  }
  return boxes;
}

std::vector<TMessageBox> WaitForMessageBoxes(DWORD processId) {
  std::vector<TMessageBox> boxes;
  PumpUntil([&] { return !(boxes = MessageBoxesOf(processId)).empty(); });
  return boxes;
}

void PressOk(const TMessageBox& box) {
  if (HWND ok = GetDlgItem(box.Window, IDOK)) PostMessageW(ok, BM_CLICK, 0, 0);
}

}  // namespace vd::e2e
