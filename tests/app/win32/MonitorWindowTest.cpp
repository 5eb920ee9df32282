// The monitor window as created from the stored description built into the program.

#include "app/win32/MonitorWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/Application.h"
#include "lang/Translation.h"
#include "platform/win32/Win32Platform.h"

namespace vd::win32 {
namespace {

constexpr wchar_t kStoreKey[] = L"software\\Vardelngmmouse";

class MonitorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
    FModule = std::make_unique<TDM>(nullptr);
    FMonitor = std::make_unique<TVDMonMain>(nullptr, *FModule);
  }
  void TearDown() override {
    FMonitor.reset();
    FModule.reset();
    ReleaseTranslationState();
    RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  }

  platform::TWin32Platform FSystem;
  std::unique_ptr<TDM> FModule;
  std::unique_ptr<TVDMonMain> FMonitor;
};

TEST_F(MonitorWindowTest, ItsComponentsComeInTheStoredOrderWithTheirClassesAndNames) {
  const std::pair<const char16_t*, const char16_t*> expected[] = {
      {u"ksHook1", u"TksHook"},         {u"ksLanguage1", u"TksLanguage"}, {u"TrayIcon1", u"TTrayIcon"},
      {u"MyPopupMenu", u"TPopupMenu"},  {u"Config1", u"TMenuItem"},       {u"About1", u"TMenuItem"},
      {u"Exit1", u"TMenuItem"},         {u"ksHIDData1", u"TksHIDData"},   {u"TimerDeviceArrial", u"TTimer"},
      {u"ksHIDEvent1", u"TksHIDEvent"},
  };
  ASSERT_EQ(FMonitor->ComponentCount(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(FMonitor->Components(i)->Name(), expected[i].first);
    EXPECT_EQ(FMonitor->Components(i)->ClassName(), expected[i].second);
  }
  EXPECT_EQ(FMonitor->Name(), u"VDMonMain");
  EXPECT_EQ(FMonitor->ksHook1, FMonitor->Components(0));
  EXPECT_EQ(FMonitor->Exit1, FMonitor->Components(6));
}

TEST_F(MonitorWindowTest, HandlersAreBoundByNameAndReferencesResolved) {
  EXPECT_EQ(FMonitor->OnCreate.HandlerName(), u"FormCreate");
  EXPECT_EQ(FMonitor->TrayIcon1->OnClick.HandlerName(), u"TrayIconDblClick");
  EXPECT_EQ(FMonitor->TrayIcon1->PopupMenu(), FMonitor->MyPopupMenu);
  EXPECT_TRUE(FMonitor->TrayIcon1->Visible());
  ASSERT_EQ(FMonitor->MyPopupMenu->Count(), 3);
  EXPECT_EQ(FMonitor->MyPopupMenu->Items(0), FMonitor->Config1);
  EXPECT_EQ(FMonitor->MyPopupMenu->Items(2), FMonitor->Exit1);
  EXPECT_EQ(FMonitor->Config1->OnClick.HandlerName(), u"Config1Click");
  EXPECT_EQ(FMonitor->About1->OnClick.HandlerName(), u"About1Click");
  EXPECT_EQ(FMonitor->Exit1->OnClick.HandlerName(), u"Exit1Click");
  EXPECT_EQ(FMonitor->OnDestroy.HandlerName(), u"FormDestroy");
  EXPECT_EQ(FMonitor->ksHIDData1->OnData().HandlerName(), u"ksHIDData1Data");
  EXPECT_FALSE(FMonitor->ksHIDData1->FastOnData());
  EXPECT_EQ(FMonitor->TimerDeviceArrial->OnTimer().HandlerName(), u"TimerDeviceArrialTimer");
  EXPECT_FALSE(FMonitor->TimerDeviceArrial->Enabled());
  EXPECT_EQ(FMonitor->TimerDeviceArrial->Interval(), 1500u);
  EXPECT_EQ(FMonitor->ksHIDEvent1->OnDeviceArrival().HandlerName(), u"ksHIDEvent1DeviceArrival");
  EXPECT_TRUE(FMonitor->ksHook1->DLLLoaded());
}

TEST_F(MonitorWindowTest, TheWindowIsHiddenOfTheStoredSizeAndFoundAsTheConfiguratorFindsIt) {
  EXPECT_EQ(FindWindowW(L"TVDMonMain", L"VD_MONITOR_EX"), FMonitor->Handle());
  EXPECT_FALSE(FMonitor->Visible());
  RECT client{};
  GetClientRect(FMonitor->Handle(), &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 400);
}

TEST_F(MonitorWindowTest, ApplyLanguageSetsTheTextsAlsoWhenTheLanguageDidNotChange) {
  const std::u16string title = Application().Title();
  const std::u16string hint = FMonitor->TrayIcon1->Hint();
  const std::u16string config = FMonitor->Config1->Caption();
  EXPECT_EQ(title, LookupTranslation(u"Vardel Gaming Mouse Monitor"));
  EXPECT_EQ(hint, LookupTranslation(u"Vardel Gaming Mouse Driver"));
  FMonitor->Config1->SetCaption(u"changed");
  FMonitor->TrayIcon1->SetHint(u"changed");
  Application().SetTitle(u"changed");
  FMonitor->ApplyLanguage();
  EXPECT_EQ(FMonitor->Config1->Caption(), config);
  EXPECT_EQ(FMonitor->TrayIcon1->Hint(), hint);
  EXPECT_EQ(Application().Title(), title);
}

}  // namespace
}  // namespace vd::win32
