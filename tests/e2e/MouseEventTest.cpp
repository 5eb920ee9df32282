// The monitor's handling of its own mouse-event message 7524, as the report decoding posts
// it: a profile switch made on the mouse, and an index past the button records.

#include <gtest/gtest.h>

#include <cstring>

#include "harness/win32/StandInConfigurator.h"
#include "tests/e2e/MonitorTest.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_DEVICE_PROFILE_SWITCHED = 7040;
constexpr UINT WM_MOUSE_KEY_EVENT = 7524;

using MouseEventTest = TMonitorTest;

TEST_F(MouseEventTest, AProfileSwitchOnTheMouseIsStoredAndSentToTheConfigurator) {
  StartMonitor();
  TStandInConfigurator configurator;
  PostMessageW(FindMonitorWindow(), WM_MOUSE_KEY_EVENT, 21 + 4, 0);
  ASSERT_TRUE(PumpUntil([&] { return configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED) == 1; }));
  const TReceivedMessage& notice = configurator.Received().front();
  EXPECT_EQ(notice.WParam, 4u);
  EXPECT_EQ(notice.LParam, 0);
  EXPECT_TRUE(notice.Sent);
  TStoreValue profileId;
  ASSERT_TRUE(ReadStoreValue(L"ProfileID", profileId));
  ASSERT_EQ(profileId.Data.size(), 4u);
  DWORD stored = 0;
  std::memcpy(&stored, profileId.Data.data(), 4);
  EXPECT_EQ(stored, 4u);
}

TEST_F(MouseEventTest, AnIndexPastTheButtonRecordsEndsInTheRangeErrorBoxAndTheMonitorGoesOn) {
  StartMonitor();
  PostMessageW(FindMonitorWindow(), WM_MOUSE_KEY_EVENT, 15, 1);
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(FMonitor->Id());
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes[0].Text, L"Range check error");
  EXPECT_EQ(boxes[0].Caption, L"Vardel Gaming Mouse Monitor");
  PressOk(boxes[0]);
  EXPECT_TRUE(PumpUntil([&] { return MessageBoxesOf(FMonitor->Id()).empty(); }));
  EXPECT_TRUE(FMonitor->Running());
}

}  // namespace
}  // namespace vd::e2e
