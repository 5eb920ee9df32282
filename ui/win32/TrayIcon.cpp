#include "ui/win32/TrayIcon.h"

#include <algorithm>
#include <utility>

#include "platform/LibraryBinding.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"

namespace vd::win32 {

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kAddTimer = 1;
// A refused add is tried again for a minute, one interval (2 s) apart.
constexpr int kAddRetries = 30;

TShellNotifyIcon& ShellCall() {
  static TShellNotifyIcon function = &Shell_NotifyIconW;
  return function;
}

TTaskbarThemeQuery& ThemeQuery() {
  static TTaskbarThemeQuery function = &SystemTaskbarTheme;
  return function;
}

bool HasIconResource(const std::wstring& name) {
  return FindResourceW(GetModuleHandleW(nullptr), name.c_str(), RT_GROUP_ICON) != nullptr;
}

// The program's icon resource at size × size: scaled down with care from a larger drawing
// where comctl32 can (Windows Vista and later), else as the system loads icons.
HICON LoadIconAtSize(const std::wstring& name, int size) {
  HRESULT(WINAPI * scaleDown)(HINSTANCE, PCWSTR, int, int, HICON*) = nullptr;
  const TLibraryBinding controls(u"comctl32.dll", platform::TLibrarySearch::SystemFolderOnly,
                                 {{"LoadIconWithScaleDown", scaleDown}});
  HICON icon = nullptr;
  if (controls.Bound() && SUCCEEDED(scaleDown(GetModuleHandleW(nullptr), name.c_str(), size, size, &icon))) return icon;
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, size, size, 0));
}

}  // namespace

TShellNotifyIcon ShellNotifyIconFunction() { return ShellCall(); }

TShellNotifyIcon ReplaceShellNotifyIconFunction(TShellNotifyIcon function) {
  return std::exchange(ShellCall(), function);
}

TTaskbarThemeQuery TaskbarThemeFunction() { return ThemeQuery(); }

TTaskbarThemeQuery ReplaceTaskbarThemeFunction(TTaskbarThemeQuery function) {
  return std::exchange(ThemeQuery(), function);
}

const TClassInfo& TTrayIcon::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTrayIcon>(u"TTrayIcon", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .String(u"Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint)
                                     .Reference(u"PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu)
                                     .Boolean(u"Visible", &TTrayIcon::Visible, &TTrayIcon::SetVisible)
                                     .Default(false)
                                     .Event(u"OnClick", &TTrayIcon::OnClick)
                                     .Build();
  return info;
}

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
  FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SetIconName(L"MAINICON");
  TMainThreadDispatcher::Instance().Post(this, [this] { Appear(); });
}

TTrayIcon::~TTrayIcon() {
  TMainThreadDispatcher::Instance().Cancel(this);
  SetVisible(false);
  DestroyHandle();
}

void TTrayIcon::Appear() {
  CreateHandle(TCreateParams{L"TTrayIconWindow"});
  LoadPicture(WindowDpi(Handle()));
  if (FVisible) Add(kAddRetries);
}

void TTrayIcon::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (!Handle()) return;
  if (value) {
    Add(kAddRetries);
  } else {
    StopAdding();
    Notify(NIM_DELETE);
  }
}

void TTrayIcon::SetHint(const std::u16string& value) {
  FHint = value;
  Modify();
}

void TTrayIcon::SetIconName(const std::wstring& value) {
  if (value == FIconName) return;
  FIconName = value;
  // Before the window exists, the DPI is not known: the picture comes with the window.
  if (Handle() && LoadPicture(FDpi)) Modify();
}

bool TTrayIcon::LoadPicture(UINT dpi) {
  FDpi = dpi;
  FTheme = TaskbarThemeFunction()();
  const std::wstring themed = ThemedIconName(FIconName, FTheme);
  const std::wstring name = HasIconResource(themed) ? themed : FIconName;
  const int size = SmallIconSize(FDpi);
  if (FIcon && name == FLoadedName && size == FLoadedSize) return false;
  // The shell keeps a copy of each picture it is given: the one it had may go.
  FIcon.Reset(LoadIconAtSize(name, size));
  FLoadedName = name;
  FLoadedSize = size;
  return true;
}

void TTrayIcon::SetPopupMenu(TPopupMenu* value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TTrayIcon::Add(int retries) {
  // An add the shell reports refused may have taken all the same (one that timed out at
  // logon, or one made while the icon was there): a change then finds the icon.
  FAddRetries = Notify(NIM_ADD) || Notify(NIM_MODIFY) ? 0 : retries;
  if (FAddRetries > 0)
    SetTimer(Handle(), kAddTimer, FAddRetryIntervalMs, nullptr);
  else
    KillTimer(Handle(), kAddTimer);
}

void TTrayIcon::StopAdding() {
  FAddRetries = 0;
  KillTimer(Handle(), kAddTimer);
}

void TTrayIcon::Modify() {
  if (!FVisible || !Handle()) return;
  // Shown at once where the icon is; an add still to come takes the hint and picture along.
  if (Notify(NIM_MODIFY))
    StopAdding();
  else if (FAddRetries == 0)
    // The shell lost the icon (it was restarted without the announcement reaching us, say).
    Add(kAddRetries);
}

bool TTrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallback;
  data.hIcon = FIcon.Get();
  const std::size_t length = std::min(FHint.size(), std::size(data.szTip) - 1);
  std::copy_n(FHint.begin(), length, data.szTip);
  return ShellNotifyIconFunction()(action, &data) != FALSE;
}

LRESULT TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallback) {
    switch (LOWORD(lParam)) {
      case WM_LBUTTONDOWN:
        FLeftPressed = true;
        break;
      case WM_LBUTTONUP:
        if (FLeftPressed) {
          FLeftPressed = false;
          OnClick(this);
        }
        break;
      case WM_RBUTTONUP:
        if (FPopupMenu) {
          SetForegroundWindow(Handle());
          ProcessMessages();
          POINT cursor{};
          GetCursorPos(&cursor);
          FPopupMenu->Popup(cursor.x, cursor.y, Handle());
        }
        break;
    }
    return 0;
  }
  if (FTaskbarCreated && message == FTaskbarCreated) {
    // The new task bar may show icons at another size.
    LoadPicture(WindowDpi(Handle()));
    if (FVisible) Add(kAddRetries);
    return 0;
  }
  if (message == WM_DPICHANGED) {
    if (LoadPicture(LOWORD(wParam))) Modify();
    return 0;
  }
  // The theme, say.
  if (message == WM_SETTINGCHANGE && LoadPicture(FDpi)) Modify();
  if (message == WM_TIMER && wParam == kAddTimer) {
    Add(FAddRetries - 1);
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
