// Start-up, single instance, tray icon and menu, configurator launcher, exit and the hook
// library link of the real monitor.

#include <gtest/gtest.h>

#include "harness/win32/StandInConfigurator.h"
#include "tests/e2e/MonitorTest.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_MONITOR_EXIT = 7036;

using MonitorStartupTest = TMonitorTest;

TEST_F(MonitorStartupTest, ASecondStartEndsAtOnceAndLeavesOneMonitor) {
  StartMonitor();
  TMonitorProcess second(FFolder);
  EXPECT_EQ(second.WaitForExit(), 0u);
  PumpFor(500);
  EXPECT_TRUE(FMonitor->Running());
  EXPECT_EQ(CountMonitorWindows(), 1);
  EXPECT_EQ(TrayIconWindows().size(), 1u);
  EXPECT_TRUE(MessageBoxesOf(second.Id()).empty());
}

TEST_F(MonitorStartupTest, TheTrayMenuOffersConfigAboutAndExitInThatOrder) {
  StartMonitor();
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), (std::vector<std::wstring>{L"Config", L"About", L"Exit"}));
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(MonitorStartupTest, TheMonitorWindowIsHiddenBorderlessAndOfTheStoredSize) {
  StartMonitor();
  const HWND window = FindMonitorWindow();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_BORDER | WS_THICKFRAME | WS_CAPTION), 0);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, 504);
  EXPECT_EQ(client.bottom - client.top, 400);
}

TEST_F(MonitorStartupTest, TrayClickBringsARunningConfiguratorToTheFrontAndStartsNothing) {
  FFolder.Add(L"e2e\\VDCfg.exe");
  StartMonitor();
  TStandInConfigurator configurator;
  ASSERT_FALSE(IsWindowVisible(configurator.Handle()));
  ClickTrayIcon(TrayIcon(), WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(configurator.Handle()) != FALSE; }));
  PumpFor(1000);
  EXPECT_FALSE(FFolder.Contains(L"launched.txt"));
}

TEST_F(MonitorStartupTest, TrayClickWithoutConfiguratorStartsItInTheMonitorsFolder) {
  FFolder.Add(L"e2e\\VDCfg.exe");
  StartMonitor();
  ClickTrayIcon(TrayIcon(), WM_LBUTTONDOWN, WM_LBUTTONUP);
  ASSERT_TRUE(PumpUntil([&] { return FFolder.Contains(L"launched.txt"); }));
  PumpFor(300);
  std::wstring folder = FFolder.Path();
  folder.pop_back();  // the working directory as the system reports it
  EXPECT_EQ(FFolder.ReadText(L"launched.txt"), folder);
}

TEST_F(MonitorStartupTest, ConfigInTheTrayMenuStartsTheConfiguratorToo) {
  FFolder.Add(L"e2e\\VDCfg.exe");
  StartMonitor();
  ASSERT_TRUE(ChooseTrayMenuItem(TrayIcon(), 0));
  EXPECT_TRUE(PumpUntil([&] { return FFolder.Contains(L"launched.txt"); }));
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(MonitorStartupTest, AConfiguratorInTheCurrentDirectoryIsNeverStarted) {
  TProgramFolder elsewhere(L"PlantedConfigurator");
  elsewhere.Add(L"e2e\\VDCfg.exe");
  FFolder.Add(L"ksHook.dll");
  FFolder.Add(L"ks.local");
  FMonitor = std::make_unique<TMonitorProcess>(FFolder, elsewhere.Path());
  ASSERT_TRUE(PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; }));
  ClickTrayIcon(TrayIcon(), WM_LBUTTONDOWN, WM_LBUTTONUP);
  PumpFor(2000);
  EXPECT_FALSE(elsewhere.Contains(L"launched.txt"));
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(MonitorStartupTest, ExitFromTheTrayMenuTellsTheConfiguratorAndEnds) {
  StartMonitor();
  TStandInConfigurator configurator;
  ASSERT_TRUE(ChooseTrayMenuItem(TrayIcon(), 2));
  EXPECT_EQ(FMonitor->WaitForExit(), 0u);
  PumpFor(300);
  ASSERT_EQ(configurator.CountOf(WM_MONITOR_EXIT), 1);
  const TReceivedMessage& notice = configurator.Received().front();
  EXPECT_EQ(notice.WParam, 0u);
  EXPECT_EQ(notice.LParam, 0);
  EXPECT_FALSE(notice.Sent);
  EXPECT_EQ(FindMonitorWindow(), nullptr);
  EXPECT_TRUE(TrayIconWindows().empty());

  TMonitorProcess again(FFolder);
  EXPECT_TRUE(PumpUntil([] { return FindMonitorWindow() != nullptr; }));
  EXPECT_TRUE(again.Running());
}

TEST_F(MonitorStartupTest, WmCloseEndsTheMonitorWithoutTheExitNotice) {
  StartMonitor();
  TStandInConfigurator configurator;
  PostMessageW(FindMonitorWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(FMonitor->WaitForExit(), 0u);
  PumpFor(300);
  EXPECT_EQ(configurator.CountOf(WM_MONITOR_EXIT), 0);
}

TEST_F(MonitorStartupTest, AMissingHookLibraryIsReportedOnceAndTheMonitorRunsOn) {
  // A library of that name in the current directory must not be taken.
  TProgramFolder planted(L"PlantedHook");
  planted.Add(L"ksHook.dll");
  TMonitorProcess monitor(FFolder, planted.Path());
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(monitor.Id());
  ASSERT_FALSE(boxes.empty());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, L"Error");
  EXPECT_EQ(boxes[0].Text, L"ksHook.dll can not be found!");
  EXPECT_TRUE(boxes[0].HasIcon);
  EXPECT_EQ(GetWindow(boxes[0].Window, GW_OWNER), nullptr);
  PressOk(boxes[0]);
  EXPECT_TRUE(PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; }));
  PumpFor(1000);
  EXPECT_TRUE(MessageBoxesOf(monitor.Id()).empty());
  EXPECT_TRUE(monitor.Running());
}

TEST_F(MonitorStartupTest, AHookLibraryLackingAnEntryIsDroppedWithoutAMessage) {
  FFolder.Add(L"e2e\\partial-hook\\ksHook.dll");
  Start();
  PumpFor(1000);
  EXPECT_TRUE(MessageBoxesOf(FMonitor->Id()).empty());
  EXPECT_TRUE(FMonitor->Running());
}

}  // namespace
}  // namespace vd::e2e
