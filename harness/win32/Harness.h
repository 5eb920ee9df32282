#pragma once
// Drives the real VDMon.exe under Wine the way a user and the configurator would: start it
// from a folder of its own, wait for its windows, click its tray icon, choose from its menu,
// find and dismiss its message boxes.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Handles.h"

namespace vd::e2e {

// Pumps this thread's messages (so that windows of the test receive what they are sent)
// until the condition holds or the time is up. Answers the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Pumps messages for a while.
void PumpFor(DWORD ms);

// The folder of the test program, with a trailing backslash: the monitor, its hook library
// and the stand-ins are built beside it.
std::wstring BuildFolder();

// A fresh folder for one test's copy of the program, removed again at the end.
class TProgramFolder {
public:
  explicit TProgramFolder(const std::wstring& name);
  ~TProgramFolder();
  const std::wstring& Path() const { return FPath; }  // with a trailing backslash
  // Copies a file of the build (path relative to the build folder) into this folder.
  void Add(const std::wstring& buildFile, const std::wstring& asName = L"");
  bool Contains(const std::wstring& name) const;
  std::wstring ReadText(const std::wstring& name) const;

private:
  std::wstring FPath;
};

// A started monitor process; ended on destruction if it still runs.
class TMonitorProcess {
public:
  // Starts VDMon.exe (or another program) of the folder, with `workingDirectory` as current
  // directory.
  TMonitorProcess(const TProgramFolder& folder, const std::wstring& workingDirectory = L"C:\\",
                  const std::wstring& program = L"VDMon.exe");
  ~TMonitorProcess();
  DWORD Id() const { return FProcessId; }
  bool Running() const;
  // Waits for the process to end; answers its exit code, or STILL_ACTIVE on time-out.
  DWORD WaitForExit(DWORD timeoutMs = 10000);

private:
  win32::TUniqueHandle FProcess;
  DWORD FProcessId = 0;
};

// The monitor's hidden window, found as the configurator finds it.
HWND FindMonitorWindow();
int CountMonitorWindows();

// The mouse as the user moves it: to a point of the screen, and its left button down or up
// where it is. Each lets the input arrive before it answers.
void MoveMouseTo(POINT screen);
void PressLeftButton();
void ReleaseLeftButton();

// The icons of the notification area. Without a desktop tray, Wine shows each icon as a
// small window of its own.
std::vector<HWND> TrayIconWindows();
void ClickTrayIcon(HWND icon, UINT downMessage, UINT upMessage);
// Opens the tray menu with a right click; answers the menu's window (none on time-out).
HWND OpenTrayMenu(HWND icon);
// Opens the tray menu with a right click and chooses the item at `position`.
bool ChooseTrayMenuItem(HWND icon, int position);
// Opens the tray menu with a right click, reads its captions in order and closes it again.
std::vector<std::wstring> ReadTrayMenu(HWND icon);

// The screen's DPI for the programs started while it lives (the prefix's LogPixels under
// HKCU\Control Panel\Desktop, which each Wine process reads once as it starts: a program
// that runs already keeps the DPI it started with); what was stored before comes back after.
class TScreenDpi {
public:
  explicit TScreenDpi(DWORD dpi);
  ~TScreenDpi();
  TScreenDpi(const TScreenDpi&) = delete;
  TScreenDpi& operator=(const TScreenDpi&) = delete;

private:
  std::optional<DWORD> FStored;
};

// The profile store in the registry and the documents folder.
inline constexpr wchar_t kStoreKey[] = L"software\\Vardelngmmouse";
std::wstring DocumentsFolder();  // without a trailing backslash
std::wstring ProfileFolder();    // the store's folder in the documents folder
bool FolderExists(const std::wstring& path);
// Removes the store's registry key and its folder: the state of a first start.
void ClearProfileStore();
struct TStoreValue {
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};
// A value of the store's key; false when it does not exist.
bool ReadStoreValue(const std::wstring& name, TStoreValue& value);
std::vector<std::wstring> StoreValueNames();
void WriteStoreValue(const std::wstring& name, DWORD type, const void* data, DWORD size);
void DeleteStoreValue(const std::wstring& name);
// The active profile the store's ProfileID names; nothing when there is no such value.
std::optional<DWORD> StoredProfileId();
// Stores game profile `game` (1..5; 1 is the current one on a first start) in the registry,
// all zero but for the function indexes of the buttons given (button index, function index).
void StoreGameProfile(int game, std::initializer_list<std::pair<int, std::uint16_t>> buttonFunctions);

// A message box of the process: its caption and text, and a way to press OK.
struct TMessageBox {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
  bool HasIcon = false;
};
std::vector<TMessageBox> MessageBoxesOf(DWORD processId);
// Waits until the process shows a message box; answers its boxes (none on time-out).
std::vector<TMessageBox> WaitForMessageBoxes(DWORD processId);
void PressOk(const TMessageBox& box);

}  // namespace vd::e2e
