#include "app/win32/MonitorWindow.h"

#include <shellapi.h>

#include "app/MouseEvents.h"
#include "app/Notice.h"
#include "app/SharedConstants.h"
#include "app/win32/ConfiguratorMessages.h"
#include "app/win32/MonitorCommands.h"
#include "core/Application.h"
#include "core/ClassRegistry.h"
#include "lang/Translation.h"
#include "platform/Platform.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/StringConversions.h"
#include "profile/FunctionTable.h"
#include "scene/SceneClasses.h"

namespace vd::win32 {

namespace {
constexpr char16_t kMicrophoneMutedHint[] = u"(microphone muted)";  // translated before use
}  // namespace

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

TVDMonMain::TVDMonMain(TComponent* AOwner, TDM& dataModule, TMicrophoneMute::TEnumeratorSource audio)
    : TForm(AOwner), FDM(dataModule), FMicrophone(std::move(audio)) {
  FMicrophone.OnStateChange = [this] { ShowMicrophoneState(); };
  RegisterSceneClasses();
  RegisterComponentClasses({&TvgScene::StaticClassInfo(), &TksHook::StaticClassInfo(), &TksLanguage::StaticClassInfo(),
                            &TTrayIcon::StaticClassInfo(), &TPopupMenu::StaticClassInfo(),
                            &TMenuItem::StaticClassInfo(), &TksHIDData::StaticClassInfo(), &TTimer::StaticClassInfo(),
                            &TksHIDEvent::StaticClassInfo()});
  CreateForm();
}

TVDMonMain::~TVDMonMain() { DestroyForm(); }

void TVDMonMain::FormCreate(TComponent*) {
  ApplyLanguage();
  // A language file beside the program that could not be used is left out as a whole;
  // say why, so that a translator's mistake does not go unnoticed.
  if (const Exception* error = ksLanguage1->LocalFileError()) Application().ShowException(*error);
  // Core Audio takes its time to come up: the window comes first, the mute state as soon as
  // the message loop runs.
  if (HasCoreAudio())
    TMainThreadDispatcher::Instance().Post(&FMicrophone, [this] {
      FMicrophone.InitEndpointVolume();
      ShowMicrophoneState();
    });
}

void TVDMonMain::FormDestroy(TComponent*) { ksHIDData1->HidStopRead(); }

void TVDMonMain::ApplyLanguage() {
  const int current = ksLanguage1->GetLanguageIndexByShortID(ksLanguage1->Lang());
  const int stored = FDM.AllProfileSettingInfo().CurrentLanguage;
  if (current != stored) ksLanguage1->SetLang(ksLanguage1->GetLanguageShortIDByIndex(stored));
  Application().SetTitle(LookupTranslation(AppTitle));
  const char16_t* captions[] = {u"Config", u"About", u"Exit"};
  for (int i = 0; i < 3 && i < MyPopupMenu->Count(); ++i)
    MyPopupMenu->Items(i)->SetCaption(LookupTranslation(captions[i]));
  ShowMicrophoneState();
}

void TVDMonMain::ShowMicrophoneState() {
  if (const std::optional<bool> muted = FMicrophone.Muted()) FMicrophoneMuted = *muted;
  TrayIcon1->SetIconName(FMicrophoneMuted ? L"MUTEDICON" : L"MAINICON");
  std::u16string hint = LookupTranslation(TrayHint);
  if (FMicrophoneMuted) hint += u" " + LookupTranslation(kMicrophoneMutedHint);
  TrayIcon1->SetHint(hint);
}

void TVDMonMain::ShowConfigurator() {
  if (HWND configurator = FindConfiguratorByCaption()) {
    ShowWindow(configurator, SW_SHOW);
    SetForegroundWindow(configurator);
    return;
  }
  // Started by its full path: never looked up in the current directory or the search path.
  const std::u16string folder = platform::Platform().Files->ProgramFolder();
  const std::u16string program = folder + CfgExeName;
  ShellExecuteW(nullptr, L"open", W(program), nullptr, W(folder), SW_SHOW);
}

void TVDMonMain::ProcessMessageAndSleep50ms() {
  ProcessMessages();
  Sleep(50);
}

void TVDMonMain::TrayIconDblClick(TComponent*) { ShowConfigurator(); }

void TVDMonMain::Config1Click(TComponent*) { ShowConfigurator(); }

void TVDMonMain::About1Click(TComponent*) {
  Show();
  ProcessMessageAndSleep50ms();
  SetForegroundWindow(Handle());
}

void TVDMonMain::BtnOKClick(TComponent*) { Hide(); }

void TVDMonMain::BtnGoWebClick(TComponent*) {
  // Whatever the shell makes of it (no browser, say) is not the monitor's to report: no box.
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.hwnd = Handle();
  execute.lpVerb = L"open";
  execute.lpFile = W(TextWeb->Text());
  execute.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&execute);
}

void TVDMonMain::Exit1Click(TComponent*) {
  PostExitNotice();
  TerminateApplication();
}

void TVDMonMain::ksHIDData1Data(const std::u16string&, const std::u16string&, std::uint8_t ReportID,
                                const std::uint8_t* Data, std::uint16_t Size) {
  if (const auto report = DecodeMouseReport(ReportID, Data, Size)) {
    const TMouseKeyMessage event = MouseKeyMessageFor(*report);
    PostMessageW(Handle(), WM_MOUSE_KEY_EVENT, event.WParam, event.LParam);
  }
}

void TVDMonMain::ksHIDEvent1DeviceArrival(TComponent*) {
  TimerDeviceArrial->SetEnabled(false);
  TimerDeviceArrial->SetEnabled(true);
}

void TVDMonMain::TimerDeviceArrialTimer(TComponent*) {
  TimerDeviceArrial->SetEnabled(false);
  ReopenDevice();
}

void TVDMonMain::ReopenDevice() {
  ksHIDData1->HidStopRead();
  ProcessMessageAndSleep50ms();
  ksHIDData1->HidFindAndReadDevice(HID_USAGE_AND_PAGE_MOUSE, u"*");
}

void TVDMonMain::DoButtonFunction(std::uint32_t, int functionIndex, LPARAM) {
  if (functionIndex != FunctionIndexMicrophoneMute) return;
  FMicrophone.MicrophoneMute();
  if (!FMicrophone.HasCaptureDevice()) return;
  if (const std::optional<bool> muted = FMicrophone.Muted())
    ShowNotice(MicrophoneNoticeText(*muted),
               *muted ? TVDMonNotice::TIcon::MicrophoneMuted : TVDMonNotice::TIcon::MicrophoneOn);
}

void TVDMonMain::ShowNotice(const std::u16string& text, TVDMonNotice::TIcon icon) {
  if (!FNotice) FNotice = std::make_unique<TVDMonNotice>(nullptr);
  FNotice->ShowNotice(text, icon);
}

LRESULT TVDMonMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSE_KEY_EVENT: {
      const TMouseKeyAction action =
          ResolveMouseKeyMessage(static_cast<std::uint32_t>(wParam), FDM.CurrentProfileInfo());
      if (action.ProfileSwitch) {
        NotifyProfileSwitch(action.Index);
        ShowNotice(ProfileNoticeText(action.Index), TVDMonNotice::TIcon::Profile);
      } else
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
