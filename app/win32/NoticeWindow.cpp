#include "app/win32/NoticeWindow.h"

#include <shellapi.h>

#include <vector>

#include "app/MonitorSettings.h"
#include "app/Notice.h"
#include "core/ClassInfo.h"
#include "platform/LibraryBinding.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

namespace {

TvgPixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<TMonitorArea>*>(list)->push_back(
        {ToPixelRect(info.rcMonitor), ToPixelRect(info.rcWork), MonitorDpi(monitor)});
  return TRUE;
}

std::vector<TMonitorArea> Monitors() {
  std::vector<TMonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace

std::optional<TScreenState> SystemScreenState() {
  // Bound at run time, since older systems lack it (the shell's library is loaded anyway:
  // binding it costs nothing).
  decltype(::SHQueryUserNotificationState)* query = nullptr;
  const TLibraryBinding shell(u"shell32.dll", platform::TLibrarySearch::SystemFolderOnly,
                              {{"SHQueryUserNotificationState", query}});
  QUERY_USER_NOTIFICATION_STATE state{};
  if (!shell.Bound() || FAILED(query(&state))) return std::nullopt;
  return static_cast<TScreenState>(state);
}

bool NoticeWanted(const TScreenStateQuery& screenState) {
  if (!NotificationsEnabled()) return false;
  const std::optional<TScreenState> state = screenState();
  return !state || NoticeMayShow(*state);
}

TMonitorNotices::TMonitorNotices(TScreenStateQuery screenState)
    : FScreenState(screenState ? std::move(screenState) : SystemScreenState) {}

void TMonitorNotices::Show(const std::u16string& text, TVDMonNotice::TIcon icon) {
  if (FFailed || !NoticeWanted(FScreenState)) return;
  if (!FNotice) {
    // A notice that cannot be made is reported once, not at every press.
    FFailed = true;
    FNotice = std::make_unique<TVDMonNotice>(nullptr);
    FFailed = false;
  }
  FNotice->ShowNotice(text, icon);
}

const TClassInfo& TVDMonNotice::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TVDMonNotice>(u"TVDMonNotice", TForm::StaticClassInfo())
                                     .Method(u"FadeOutFinish", &TVDMonNotice::FadeOutFinish)
                                     .Field(u"vgSceneNotice", &TVDMonNotice::vgSceneNotice)
                                     .Field(u"NoticeRoot", &TVDMonNotice::NoticeRoot)
                                     .Field(u"NoticePanel", &TVDMonNotice::NoticePanel)
                                     .Field(u"IconProfile", &TVDMonNotice::IconProfile)
                                     .Field(u"IconMicrophoneMuted", &TVDMonNotice::IconMicrophoneMuted)
                                     .Field(u"IconMicrophoneOn", &TVDMonNotice::IconMicrophoneOn)
                                     .Field(u"NoticeText", &TVDMonNotice::NoticeText)
                                     .Field(u"FadeIn", &TVDMonNotice::FadeIn)
                                     .Field(u"FadeOut", &TVDMonNotice::FadeOut)
                                     .Build();
  return info;
}

TVDMonNotice::TVDMonNotice(TComponent* AOwner) : TForm(AOwner) { CreateForm(); }

TVDMonNotice::~TVDMonNotice() { DestroyForm(); }

void TVDMonNotice::CreateParams(TCreateParams& params) {
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
  // Never activated, it has no use for a system menu; with one, a window manager takes charge
  // of the window, and hiding it waits for the manager (about 2 s under Wine without one).
  params.Style &= ~WS_SYSMENU;
}

void TVDMonNotice::ShowNotice(const std::u16string& text, TIcon icon) {
  // A notice whose scene window could not be made, or made layered, would be an unpainted box
  // on top that takes the mouse: it shows nothing (what failed was reported when it was made).
  if (!vgSceneNotice->Handle() || !(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)) return;
  NoticeText->SetText(text);
  IconProfile->SetVisible(icon == TIcon::Profile);
  IconMicrophoneMuted->SetVisible(icon == TIcon::MicrophoneMuted);
  IconMicrophoneOn->SetVisible(icon == TIcon::MicrophoneOn);
  // The window's caption says what the notice says, for screen readers.
  SetCaption(text);
  // Started again, the fade-out waits its delay anew (no end, so no hiding) while the fade-in
  // brings the notice back from wherever it is.
  FadeIn->Start();
  FadeOut->Start();
  if (Visible()) return;
  PlaceUnderPointer();
  ShowInactive();
}

void TVDMonNotice::FadeOutFinish(TComponent*) { Hide(); }

void TVDMonNotice::PlaceUnderPointer() {
  POINT pointer{};
  GetCursorPos(&pointer);
  const std::optional<TNoticePlace> place =
      PlaceNotice(Monitors(), {pointer.x, pointer.y}, ClientWidth(), ClientHeight());
  if (!place) return;
  // Its place is that monitor's pixels at that monitor's scale.
  SetScale(place->Scale);
  SetWindowPos(Handle(), HWND_TOPMOST, place->At.X, place->At.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace vd::win32
