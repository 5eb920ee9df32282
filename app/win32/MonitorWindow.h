#pragma once
// The monitor window: a hidden form that owns every component of the process, carries the
// tray icon and its menu, and is found by the configurator through its class name and
// caption. Its visible content is the About window. Each of its handlers hands over to the
// part of the program it concerns: the tray, the mouse, the About window, the configurator
// link, the microphone and the notice.

#include <memory>
#include <optional>

#include "app/win32/AboutWindow.h"
#include "app/win32/CoreAudioMicrophone.h"
#include "app/win32/MonitorTray.h"
#include "app/win32/MouseDevice.h"
#include "app/win32/MuteControl.h"
#include "app/win32/NoticeWindow.h"
#include "hid/win32/ksHIDData.h"
#include "hid/win32/ksHIDEvent.h"
#include "keys/ksHook.h"
#include "lang/ksLanguage.h"
#include "profile/DataModule.h"
#include "scene/controls/Background.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/controls/Shapes.h"
#include "scene/controls/Text.h"
#include "scene/controls/TextControls.h"
#include "scene/style/StyleSet.h"
#include "scene/win32/SceneWindow.h"
#include "ui/win32/Form.h"
#include "ui/win32/PopupMenu.h"
#include "ui/win32/Timer.h"
#include "ui/win32/TrayIcon.h"

namespace vd::win32 {

class TVDMonMain : public TForm {
public:
  // Created from its stored description. The data module is created before the window and
  // destroyed after it. Microphone mute uses the system's Core Audio (or the legacy mixer),
  // or the Core Audio source given; the notice asks the system what owns the screen, or the
  // query given.
  TVDMonMain(TComponent* AOwner, TDM& dataModule, TCoreAudioMicrophone::TEnumeratorSource audio = {},
             TScreenStateQuery screenState = {});
  ~TVDMonMain() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Brings the configurator to the front, or starts it from the monitor's folder.
  void ShowConfigurator();
  void ProcessMessageAndSleep50ms();
  // Selects the language that the profile store names, then translates the application
  // title, the menu captions and the tray hint.
  void ApplyLanguage();
  // The tray shows whether the microphone is muted. A state that cannot be read leaves what
  // is shown.
  void ShowMicrophoneState();

  // Handlers of the stored description.
  void FormCreate(TComponent* Sender);
  void FormDestroy(TComponent* Sender);
  void TrayIconDblClick(TComponent* Sender);
  void Config1Click(TComponent* Sender);
  void About1Click(TComponent* Sender);
  void Exit1Click(TComponent* Sender);
  // The About window's OK button hides it; its web button opens the address it shows.
  void BtnOKClick(TComponent* Sender);
  void BtnGoWebClick(TComponent* Sender);
  // A report of the mouse (on the main thread): a button press or a profile switch is
  // posted to this window as message 7524, whose handler acts on it.
  void ksHIDData1Data(const std::u16string& ADeviceID, const std::u16string& ADevicePath, std::uint8_t ReportID,
                      const std::uint8_t* Data, std::uint16_t Size);
  // The mouse is opened again 1500 ms after the last arrival of a burst of HID interfaces.
  void ksHIDEvent1DeviceArrival(TComponent* Sender);
  void TimerDeviceArrialTimer(TComponent* Sender);
  // Performs the function assigned to a button; the monitor performs microphone mute only.
  void DoButtonFunction(std::uint32_t button, int functionIndex, LPARAM lParam);
  // Toggles the microphone and says the state it reads back in a notice and a sound cue.
  void ToggleMicrophone();
  // The mouse switched to profile `index`: it becomes the current profile, is stored as
  // `ProfileID` and told to the configurator, and the notice says so.
  void SwitchProfile(int index);
  // Shows the on-screen notice, unless notices are not wanted now.
  void ShowNotice(const std::u16string& text, TVDMonNotice::TIcon icon);

  // Components of the stored description: the About window's scene and its objects, ...
  TvgScene* vgScene1 = nullptr;
  TvgBackground* Root1 = nullptr;
  TvgImage* ImageMain = nullptr;
  TvgBitmapStateButton* BtnOK = nullptr;
  TvgRectangle* Rectangle1 = nullptr;
  TvgLabel* Label1 = nullptr;
  TvgLabel* Label2 = nullptr;
  TvgLabel* Label3 = nullptr;
  TvgLabel* Label4 = nullptr;
  TvgText* TextWeb = nullptr;
  TvgImage* BtnGoWeb = nullptr;
  // ... the process's components, and the About window's styles.
  TksHook* ksHook1 = nullptr;
  TksLanguage* ksLanguage1 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;
  TPopupMenu* MyPopupMenu = nullptr;
  TMenuItem* Config1 = nullptr;
  TMenuItem* About1 = nullptr;
  TMenuItem* Exit1 = nullptr;
  TvgResources* vgResources1 = nullptr;
  TksHIDData* ksHIDData1 = nullptr;
  TTimer* TimerDeviceArrial = nullptr;
  TksHIDEvent* ksHIDEvent1 = nullptr;

protected:
  // The components exist: the parts of the program that use them are made.
  void Loaded() override;

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  TDM& FDM;
  TCoreAudioMicrophone::TEnumeratorSource FAudio;
  TMonitorNotices FNotices;
  std::optional<TMonitorTray> FTray;
  std::optional<TMuteControl> FMute;
  std::optional<TMouseDevice> FMouse;
  std::optional<TAboutWindow> FAbout;
};

}  // namespace vd::win32
