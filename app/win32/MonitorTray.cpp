#include "app/win32/MonitorTray.h"

#include "app/SharedConstants.h"
#include "lang/Translation.h"

namespace vd::win32 {

namespace {
constexpr char16_t kMicrophoneMutedHint[] = u"(microphone muted)";  // translated before use
}  // namespace

void TMonitorTray::Translate() {
  const char16_t* captions[] = {u"Config", u"About", u"Exit"};
  for (int i = 0; i < 3 && i < FMenu.Count(); ++i) FMenu.Items(i)->SetCaption(LookupTranslation(captions[i]));
  Show();
}

void TMonitorTray::ShowMicrophone(std::optional<bool> muted) {
  if (muted) FMicrophoneMuted = *muted;
  Show();
}

void TMonitorTray::Show() {
  FIcon.SetIconName(FMicrophoneMuted ? L"MUTEDICON" : L"MAINICON");
  std::u16string hint = LookupTranslation(TrayHint);
  if (FMicrophoneMuted) hint += u" " + LookupTranslation(kMicrophoneMutedHint);
  FIcon.SetHint(hint);
}

}  // namespace vd::win32
