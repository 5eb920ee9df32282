// The monitor window as its stored description sees it: the handlers it binds and the
// component fields it fills, by name.

#include "app/win32/MonitorWindow.h"

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

}  // namespace vd::win32
