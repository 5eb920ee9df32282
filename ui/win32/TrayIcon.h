#pragma once
// The notification-area icon: a component with a hidden top-level window of its own that
// receives the icon's mouse messages and the shell's "TaskbarCreated" broadcast. The window
// and the icon are made once the message loop runs, after the program's own window, with the
// hint and picture that start-up gave them: one call to the shell instead of one for each.
//
// The shell may refuse the icon, at logon before it is ready, say; without it the user has no
// menu and no way to end the program. A refused add is tried again every 2 s for a minute and
// whenever the shell announces the task bar, and a change the shell refuses because the icon
// is gone adds it again. A refused add may have taken all the same: each add that fails is
// followed by a change, and every change is tried at once, so the shell never keeps showing
// an old picture or hint.
//
// The picture is the icon resource drawn for the task bar's theme (ui/win32/TaskbarTheme.h),
// at the shell's small-icon size for the DPI of the screen the icon's window is on: loaded
// when the window is made, and again when that DPI changes, when a setting changes (the
// theme, say) and when the shell announces the task bar.

#include <windows.h>
// Before shellapi.h, which uses its types.
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"
#include "platform/win32/Window.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/TaskbarTheme.h"

namespace vd::win32 {

using TShellNotifyIcon = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAW* data);
// Shell_NotifyIconW, or what replaced it: tests put a stand-in shell in its place.
TShellNotifyIcon ShellNotifyIconFunction();
// Replaces the function until it is replaced again; answers the one it replaced.
TShellNotifyIcon ReplaceShellNotifyIconFunction(TShellNotifyIcon function);

using TTaskbarThemeQuery = TTaskbarTheme (*)();
// SystemTaskbarTheme, or what replaced it (a test's theme, high contrast among them, which
// the system may not let a test turn on).
TTaskbarThemeQuery TaskbarThemeFunction();
TTaskbarThemeQuery ReplaceTaskbarThemeFunction(TTaskbarThemeQuery function);

// Published: Hint, PopupMenu, Visible (default False), OnClick.
class TTrayIcon : public TComponent, private TWindowBase {
public:
  explicit TTrayIcon(TComponent* AOwner);
  ~TTrayIcon() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const std::u16string& Hint() const { return FHint; }
  void SetHint(const std::u16string& value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* value);
  // The icon shown: one of the program's icon resources, by name (for a dark task bar; its
  // drawings for the other themes are found by ThemedIconName, the name's own drawing where
  // there is none); the application's main icon (MAINICON) at first.
  const std::wstring& IconName() const { return FIconName; }
  void SetIconName(const std::wstring& value);
  // Raised when the left button is pressed and released on the icon.
  TNotifyEvent OnClick;

  // The time between the tries of a refused add (2 s); tests shorten it.
  static constexpr std::uint32_t kAddRetryIntervalMs = 2000;
  void SetAddRetryInterval(std::uint32_t milliseconds) { FAddRetryIntervalMs = milliseconds; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Makes the window, and shows the icon when it is visible.
  void Appear();
  // Adds the icon; when the shell refuses, tries again `retries` more times, one interval apart.
  void Add(int retries);
  void StopAdding();
  // Gives the shell the icon's hint and picture now; adds the icon again when it is gone.
  void Modify();
  // Loads the picture for the task bar's theme now and the DPI, unless it is loaded already;
  // answers whether it is a new one.
  bool LoadPicture(UINT dpi);
  bool Notify(DWORD action);

  bool FVisible = false;
  bool FLeftPressed = false;
  std::u16string FHint;
  TPopupMenu* FPopupMenu = nullptr;
  UINT FTaskbarCreated = 0;
  std::uint32_t FAddRetryIntervalMs = kAddRetryIntervalMs;
  int FAddRetries = 0;  // tries of a refused add still to come
  std::wstring FIconName;
  // What the picture was loaded for.
  UINT FDpi = 96;
  TTaskbarTheme FTheme = TTaskbarTheme::Dark;
  // The picture, which the tray icon owns, and what it was loaded as (resource name and size).
  TUniqueIcon FIcon;
  std::wstring FLoadedName;
  int FLoadedSize = 0;
};

}  // namespace vd::win32
