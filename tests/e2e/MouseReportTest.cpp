// Reports of the stand-in mouse followed to their action in the real monitor: read by its
// reader from the collection that the system's setup and HID libraries describe, decoded,
// dispatched through message 7524, and acted upon.

#include <gtest/gtest.h>

#include "tests/e2e/MonitorTest.h"
#include "tests/e2e/StandInConfigurator.h"
#include "tests/e2e/SystemStandIns.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_DEVICE_PROFILE_SWITCHED = 7040;
constexpr std::uint16_t kMicrophoneMute = 28;

using MouseReportTest = TMouseTest;

TEST_F(MouseReportTest, AProfileSwitchOnTheMouseIsStoredAndSentToTheConfigurator) {
  StartReadingMouse();
  TStandInConfigurator configurator;
  ASSERT_EQ(FMouse.Send({0x08, 0x01, 0x04}), 1);
  ASSERT_TRUE(PumpUntil([&] { return configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED) == 1; }));
  EXPECT_EQ(configurator.Received().front().WParam, 4u);
  EXPECT_TRUE(configurator.Received().front().Sent);
  EXPECT_EQ(StoredProfileId(), 4u);
}

TEST_F(MouseReportTest, AButtonPastTheButtonRecordsShowsTheRangeErrorAndTheMonitorReadsOn) {
  StartReadingMouse();
  ASSERT_EQ(FMouse.Send({0x07, 0x00, 0x80, 0x00}), 1);  // button 15
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(FMonitor->Id());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Range check error");
  EXPECT_EQ(boxes[0].Caption, L"Vardel Gaming Mouse Monitor");
  PressOk(boxes[0]);
  ASSERT_TRUE(PumpUntil([&] { return MessageBoxesOf(FMonitor->Id()).empty(); }));
  WaitUntilReportsHandled();
}

TEST_F(MouseReportTest, AMicrophoneMuteButtonTogglesTheCaptureDeviceAndTwoPressesRestoreIt) {
  StoreGameProfile1({{8, kMicrophoneMute}});
  SetStandInMicrophone(false);
  StartReadingMouse();
  ASSERT_EQ(FMouse.Send({0x07, 0x00, 0x01, 0x00}), 1);  // button 8
  ASSERT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == true; }));
  ASSERT_EQ(FMouse.Send({0x07, 0x00, 0x01, 0x00}), 1);
  EXPECT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == false; }));
  // The tray's muted variant is one of the program's icons.
  const HMODULE program = LoadLibraryExW((FFolder.Path() + L"VDMon.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceW(program, L"MUTEDICON", RT_GROUP_ICON), nullptr);
  FreeLibrary(program);
}

TEST_F(MouseReportTest, ReportsThatNameNoSingleButtonOrProfileDoNothing) {
  StoreGameProfile1({{0, kMicrophoneMute}, {1, kMicrophoneMute}});
  SetStandInMicrophone(false);
  StartReadingMouse();
  TStandInConfigurator configurator;
  ASSERT_EQ(FMouse.Send({0x07, 0x03, 0x00, 0x00}), 1);  // two buttons at once
  ASSERT_EQ(FMouse.Send({0x08, 0x01, 0x05}), 1);        // no such profile
  ASSERT_EQ(FMouse.Send({0x08, 0x02, 0x00}), 1);
  WaitUntilReportsHandled();
  EXPECT_TRUE(MessageBoxesOf(FMonitor->Id()).empty());
  EXPECT_EQ(configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED), 1);  // the one that ended the wait
  EXPECT_EQ(StandInMicrophoneMuted(), false);
}

TEST_F(MouseReportTest, TheMouseBackAfterRemovalIsReadAgain1500MsAfterTheLastOfABurstOfArrivals) {
  StartReadingMouse();
  FMouse.Unplug();
  FMouse.Plug();
  const std::size_t before = FMouse.OpenTimes().size();
  // The last arrival is timed before it is sent: the monitor cannot have it earlier, however
  // long the sending takes on a slow machine.
  DWORD lastArrival = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) PumpFor(500);
    lastArrival = GetTickCount();
    ASSERT_TRUE(SendDeviceArrival(FMonitor->Id()));
  }
  ASSERT_TRUE(FMouse.WaitForReader(before));
  PumpFor(500);
  // One re-open (its probe and its reader), not due after the first or the second arrival
  // (500 and 1000 ms after the third).
  const std::vector<DWORD> opens = FMouse.OpenTimes();
  ASSERT_EQ(opens.size(), before + 2);
  EXPECT_GE(opens[before] - lastArrival, 1400u);
  ASSERT_EQ(FMouse.Send({0x08, 0x01, 0x03}), 1);
  EXPECT_TRUE(PumpUntil([] { return StoredProfileId() == 3u; }));
}

TEST_F(MouseReportTest, ASetupLibraryBesideTheProgramIsNeverLoaded) {
  FFolder.Add(L"e2e\\planted\\setupapi.dll");
  StartReadingMouse();
  EXPECT_FALSE(FFolder.Contains(L"planted-loaded.txt"));
}

}  // namespace
}  // namespace vd::e2e
