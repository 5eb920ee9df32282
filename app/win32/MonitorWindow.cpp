#include "app/win32/MonitorWindow.h"

#include "app/MouseEvents.h"
#include "app/Notice.h"
#include "app/SharedConstants.h"
#include "app/win32/ConfiguratorLink.h"
#include "app/win32/MixerMicrophone.h"
#include "app/win32/MonitorCommands.h"
#include "core/Application.h"
#include "core/ClassRegistry.h"
#include "lang/Translation.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"
#include "profile/FunctionTable.h"
#include "scene/SceneClasses.h"

namespace vd::win32 {

const TClassInfo& TVDMonMain::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TVDMonMain>(u"TVDMonMain", TForm::StaticClassInfo())
                                     .Method(u"FormCreate", &TVDMonMain::FormCreate)
                                     .Method(u"FormDestroy", &TVDMonMain::FormDestroy)
                                     .Method(u"TrayIconDblClick", &TVDMonMain::TrayIconDblClick)
                                     .Method(u"Config1Click", &TVDMonMain::Config1Click)
                                     .Method(u"About1Click", &TVDMonMain::About1Click)
                                     .Method(u"Exit1Click", &TVDMonMain::Exit1Click)
                                     .Method(u"BtnOKClick", &TVDMonMain::BtnOKClick)
                                     .Method(u"BtnGoWebClick", &TVDMonMain::BtnGoWebClick)
                                     .Method(u"ksHIDData1Data", &TVDMonMain::ksHIDData1Data)
                                     .Method(u"TimerDeviceArrialTimer", &TVDMonMain::TimerDeviceArrialTimer)
                                     .Method(u"ksHIDEvent1DeviceArrival", &TVDMonMain::ksHIDEvent1DeviceArrival)
                                     .Field(u"vgScene1", &TVDMonMain::vgScene1)
                                     .Field(u"Root1", &TVDMonMain::Root1)
                                     .Field(u"ImageMain", &TVDMonMain::ImageMain)
                                     .Field(u"BtnOK", &TVDMonMain::BtnOK)
                                     .Field(u"Rectangle1", &TVDMonMain::Rectangle1)
                                     .Field(u"Label1", &TVDMonMain::Label1)
                                     .Field(u"Label2", &TVDMonMain::Label2)
                                     .Field(u"Label3", &TVDMonMain::Label3)
                                     .Field(u"Label4", &TVDMonMain::Label4)
                                     .Field(u"TextWeb", &TVDMonMain::TextWeb)
                                     .Field(u"BtnGoWeb", &TVDMonMain::BtnGoWeb)
                                     .Field(u"ksHook1", &TVDMonMain::ksHook1)
                                     .Field(u"ksLanguage1", &TVDMonMain::ksLanguage1)
                                     .Field(u"TrayIcon1", &TVDMonMain::TrayIcon1)
                                     .Field(u"MyPopupMenu", &TVDMonMain::MyPopupMenu)
                                     .Field(u"Config1", &TVDMonMain::Config1)
                                     .Field(u"About1", &TVDMonMain::About1)
                                     .Field(u"Exit1", &TVDMonMain::Exit1)
                                     .Field(u"vgResources1", &TVDMonMain::vgResources1)
                                     .Field(u"ksHIDData1", &TVDMonMain::ksHIDData1)
                                     .Field(u"TimerDeviceArrial", &TVDMonMain::TimerDeviceArrial)
                                     .Field(u"ksHIDEvent1", &TVDMonMain::ksHIDEvent1)
                                     .Build();
  return info;
}

TVDMonMain::TVDMonMain(TComponent* AOwner, TDM& dataModule, TCoreAudioMicrophone::TEnumeratorSource audio,
                       TScreenStateQuery screenState)
    : TForm(AOwner),
      FDM(dataModule),
      FAudio(std::move(audio)),
      FScreenState(screenState ? std::move(screenState) : SystemScreenState) {
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
  std::unique_ptr<IMicrophone> microphone;
  if (HasCoreAudio())
    microphone = std::make_unique<TCoreAudioMicrophone>(FAudio);
  else
    microphone = std::make_unique<TMixerMicrophone>();
  FMute.emplace(std::move(microphone), *FTray, [this](const std::u16string& text, TVDMonNotice::TIcon icon) {
    ShowNotice(text, icon);
  });
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

void TVDMonMain::ShowNotice(const std::u16string& text, TVDMonNotice::TIcon icon) {
  if (FNoticeFailed || !NoticeWanted(FScreenState)) return;
  if (!FNotice) {
    // A notice that cannot be made is reported once, not at every press.
    FNoticeFailed = true;
    FNotice = std::make_unique<TVDMonNotice>(nullptr);
    FNoticeFailed = false;
  }
  FNotice->ShowNotice(text, icon);
}

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
