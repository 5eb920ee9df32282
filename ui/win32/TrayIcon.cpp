#include "ui/win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"

namespace vd::win32 {

namespace {
constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
}  // namespace

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
  if (FVisible) Notify(NIM_ADD);
}

void TTrayIcon::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (Handle()) Notify(value ? NIM_ADD : NIM_DELETE);
}

void TTrayIcon::SetHint(const std::u16string& value) {
  FHint = value;
  if (FVisible && Handle()) Notify(NIM_MODIFY);
}

void TTrayIcon::SetIconName(const std::wstring& value) {
  if (value == FIconName) return;
  FIconName = value;
  FIcon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), FIconName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  if (FVisible && Handle()) Notify(NIM_MODIFY);
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

void TTrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallback;
  data.hIcon = FIcon;
  const std::size_t length = std::min(FHint.size(), std::size(data.szTip) - 1);
  std::copy_n(FHint.begin(), length, data.szTip);
  Shell_NotifyIconW(action, &data);
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
    if (FVisible) Notify(NIM_ADD);
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
