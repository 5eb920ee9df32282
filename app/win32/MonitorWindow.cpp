#include "app/win32/MonitorWindow.h"

#include <shellapi.h>

#include "app/ConfiguratorLink.h"
#include "app/MouseEvents.h"
#include "app/SharedConstants.h"
#include "app/win32/ConfiguratorMessages.h"
#include "core/Application.h"
#include "platform/Platform.h"
#include "platform/win32/MessageLoop.h"

namespace vd::win32 {

namespace {

constexpr int kClientWidth = 504;
constexpr int kClientHeight = 400;

}  // namespace

TVDMonMain::TVDMonMain(TComponent* AOwner, TDM& dataModule) : TForm(AOwner), FDM(dataModule) {
  SetName(u"VDMonMain");
  SetCaption(MonMainCaption);
  CreateComponents();
  try {
    FormCreate(this);
  } catch (...) {
    Application().HandleException();
  }
  // Created at once, hidden, so that the configurator finds the monitor from now on.
  CreateFormHandle(kClientWidth, kClientHeight);
}

TVDMonMain::~TVDMonMain() {
  FormDestroy(this);
  DestroyComponents();
  DestroyHandle();
}

void TVDMonMain::CreateComponents() {
  ksHook1 = new TksHook(this);
  ksHook1->SetName(u"ksHook1");

  TrayIcon1 = new TTrayIcon(this);
  TrayIcon1->SetName(u"TrayIcon1");

  MyPopupMenu = new TPopupMenu(this);
  MyPopupMenu->SetName(u"MyPopupMenu");
  const auto addItem = [this](const char16_t* name, const char16_t* caption, const char16_t* handlerName,
                              void (TVDMonMain::*handler)(TComponent*)) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = TNotifyEvent(handlerName, [this, handler](TComponent* sender) { (this->*handler)(sender); });
    MyPopupMenu->Add(item);
    return item;
  };
  Config1 = addItem(u"Config1", u"Config", u"Config1Click", &TVDMonMain::Config1Click);
  About1 = addItem(u"About1", u"About", u"About1Click", &TVDMonMain::About1Click);
  Exit1 = addItem(u"Exit1", u"Exit", u"Exit1Click", &TVDMonMain::Exit1Click);

  TrayIcon1->SetPopupMenu(MyPopupMenu);
  TrayIcon1->OnClick = TNotifyEvent(u"TrayIconDblClick", [this](TComponent* sender) { TrayIconDblClick(sender); });
  TrayIcon1->SetHint(TrayHint);
  TrayIcon1->SetVisible(true);
}

void TVDMonMain::FormCreate(TComponent*) {
  if (HasCoreAudio()) FMicrophone.InitEndpointVolume();
}

void TVDMonMain::FormDestroy(TComponent*) {}

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

void TVDMonMain::Exit1Click(TComponent*) {
  PostExitNotice();
  TerminateApplication();
}

void TVDMonMain::ksHIDData1Data(const std::u16string&, const std::u16string&, std::uint8_t ReportID,
                                const std::uint8_t* Data, std::uint16_t Size) {
  if (const auto event = DecodeMouseReport(ReportID, Data, Size))
    PostMessageW(Handle(), WM_MOUSE_KEY_EVENT, event->WParam, event->LParam);
}

void TVDMonMain::DoButtonFunction(std::uint32_t, int functionIndex, LPARAM) {
  if (functionIndex == FunctionIndexMicrophoneMute) FMicrophone.MicrophoneMute();
}

LRESULT TVDMonMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSE_KEY_EVENT: {
      const TMouseKeyAction action =
          ResolveMouseKeyMessage(static_cast<std::uint32_t>(wParam), FDM.CurrentProfileInfo());
      if (action.ProfileSwitch)
        NotifyProfileSwitch(action.Index);
      else
        DoButtonFunction(action.Button, action.Index, lParam);
      return 0;
    }
    case WM_PROFILE_CHANGED:
      FDM.LoadProfileGroupSettingInfoFromRegistry();
      FDM.LoadAllProfileInfoFromRegistry();
      FDM.LoadCurrentProfileInfoFromRegistry();
      WriteProfileID(static_cast<std::int32_t>(lParam));
      return 0;
    case WM_SETTINGS_CHANGED:
      FDM.LoadAllProfileInfoFromRegistry();
      return 0;
  }
  return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
