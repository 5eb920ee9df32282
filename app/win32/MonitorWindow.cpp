#include "app/win32/MonitorWindow.h"

#include "app/MouseEvents.h"
#include "app/Notice.h"
#include "app/SharedConstants.h"
#include "app/win32/ConfiguratorLink.h"
#include "app/win32/MonitorCommands.h"
#include "core/Application.h"
#include "core/ClassRegistry.h"
#include "lang/Translation.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"
#include "profile/FunctionTable.h"
#include "scene/SceneClasses.h"

namespace vd::win32 {

TVDMonMain::TVDMonMain(TComponent* AOwner, TDM& dataModule, TCoreAudioMicrophone::TEnumeratorSource audio,
                       TScreenStateQuery screenState)
    : TForm(AOwner), FDM(dataModule), FAudio(std::move(audio)), FNotices(std::move(screenState)) {
  RegisterSceneClasses();
  RegisterComponentClasses({&TvgScene::StaticClassInfo(), &TksHook::StaticClassInfo(), &TksLanguage::StaticClassInfo(),
                            &TTrayIcon::StaticClassInfo(), &TPopupMenu::StaticClassInfo(),
                            &TMenuItem::StaticClassInfo(), &TksHIDData::StaticClassInfo(), &TTimer::StaticClassInfo(),
                            &TksHIDEvent::StaticClassInfo()});
  CreateForm();
}

TVDMonMain::~TVDMonMain() {
  DestroyForm();
  TMainThreadDispatcher::Instance().Cancel(this);
}

void TVDMonMain::Loaded() {
  TForm::Loaded();
  const auto letMessagesRun = [this] { ProcessMessageAndSleep50ms(); };
  FTray.emplace(*TrayIcon1, *MyPopupMenu);
  FMute.emplace(SystemMicrophone(FAudio), *FTray,
                [this](const std::u16string& text, TVDMonNotice::TIcon icon) { ShowNotice(text, icon); });
  FMouse.emplace(*ksHIDData1, *TimerDeviceArrial, letMessagesRun);
  FAbout.emplace(*this, *TextWeb, letMessagesRun);
}

void TVDMonMain::FormCreate(TComponent*) {
  ApplyLanguage();
  // A language file beside the program that could not be used is left out as a whole;
  // say why, so that a translator's mistake does not go unnoticed.
  if (const Exception* error = ksLanguage1->LocalFileError()) Application().ShowException(*error);
  // Core Audio takes its time to come up: the window comes first, the mute state as soon as
  // the message loop runs.
  TMainThreadDispatcher::Instance().Post(this, [this] { FMute->Prepare(); });
}

void TVDMonMain::FormDestroy(TComponent*) { FMouse->Stop(); }

void TVDMonMain::ApplyLanguage() {
  const int current = ksLanguage1->GetLanguageIndexByShortID(ksLanguage1->Lang());
  const int stored = FDM.AllProfileSettingInfo().CurrentLanguage;
  if (current != stored) ksLanguage1->SetLang(ksLanguage1->GetLanguageShortIDByIndex(stored));
  Application().SetTitle(LookupTranslation(AppTitle));
  FTray->Translate();
  ShowMicrophoneState();
}

void TVDMonMain::ShowMicrophoneState() { FMute->ShowState(); }

void TVDMonMain::ShowConfigurator() { BringConfiguratorToFront(); }

void TVDMonMain::ProcessMessageAndSleep50ms() {
  ProcessMessages();
  Sleep(50);
}

void TVDMonMain::TrayIconDblClick(TComponent*) { ShowConfigurator(); }
void TVDMonMain::Config1Click(TComponent*) { ShowConfigurator(); }
void TVDMonMain::About1Click(TComponent*) { FAbout->Show(); }
void TVDMonMain::BtnOKClick(TComponent*) { FAbout->Hide(); }
void TVDMonMain::BtnGoWebClick(TComponent*) { FAbout->OpenWebAddress(); }

void TVDMonMain::Exit1Click(TComponent*) {
  PostExitNotice();
  TerminateApplication();
}

void TVDMonMain::ksHIDData1Data(const std::u16string&, const std::u16string&, std::uint8_t ReportID,
                                const std::uint8_t* Data, std::uint16_t Size) {
  if (const std::optional<TMouseKeyMessage> message = MouseKeyMessageFor(ReportID, Data, Size))
    PostMessageW(Handle(), WM_MOUSE_KEY_EVENT, message->WParam, message->LParam);
}

void TVDMonMain::ksHIDEvent1DeviceArrival(TComponent*) { FMouse->Arrived(); }
void TVDMonMain::TimerDeviceArrialTimer(TComponent*) { FMouse->ArrivalTimerFired(); }

void TVDMonMain::DoButtonFunction(std::uint32_t, int functionIndex, LPARAM) {
  if (functionIndex == FunctionIndexMicrophoneMute) ToggleMicrophone();
}

void TVDMonMain::ToggleMicrophone() { FMute->Toggle(); }

void TVDMonMain::SwitchProfile(int index) {
  FDM.SwitchToProfileAndWriteProfileID(index);
  NotifyProfileSwitch(index);
  ShowNotice(ProfileNoticeText(index), TVDMonNotice::TIcon::Profile);
}

void TVDMonMain::ShowNotice(const std::u16string& text, TVDMonNotice::TIcon icon) { FNotices.Show(text, icon); }

LRESULT TVDMonMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSE_KEY_EVENT: {
      const TMouseKeyAction action =
          ResolveMouseKeyMessage(static_cast<std::uint32_t>(wParam), FDM.CurrentProfileInfo());
      if (action.Kind == TMouseKeyAction::TKind::SwitchProfile)
        SwitchProfile(action.Index);
      else
        DoButtonFunction(action.Button, action.Index, lParam);
      return 0;
    }
    case WM_PROFILE_CHANGED:
      FDM.ReloadChangedProfile(static_cast<std::int32_t>(lParam));
      return 0;
    case WM_SETTINGS_CHANGED:
      FDM.LoadAllProfileInfoFromRegistry();
      ApplyLanguage();
      return 0;
    case WM_COPYDATA:
      return ReceiveMonitorCommand(*this, lParam);
  }
  return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
