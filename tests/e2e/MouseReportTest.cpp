// Reports of the stand-in mouse followed to their action in the real monitor: read by its
// reader from the collection that the system's setup and HID libraries describe, decoded,
// dispatched through message 7524, and acted upon.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <string>

#include "harness/win32/StandInConfigurator.h"
#include "harness/win32/SystemStandIns.h"
#include "tests/e2e/MonitorTest.h"

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
  StoreGameProfile(1, {{8, kMicrophoneMute}});
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

// Configurator closed: the switch made on the mouse is all the monitor hears of. The new
// profile's mute button acts at once, with its notice and its cue; the old one's does nothing.
TEST_F(MouseReportTest, AfterASwitchMadeOnTheMouseTheNewProfilesMuteButtonActsWithItsNoticeAndCue) {
  StoreGameProfile(1, {{3, kMicrophoneMute}});
  StoreGameProfile(3, {{5, kMicrophoneMute}});
  SetStandInMicrophone(false);
  StartReadingMouse();
  const DWORD mutedCue = CueFingerprint(FFolder.Path() + L"VDMon.exe", L"MUTEDCUE");
  const DWORD unmutedCue = CueFingerprint(FFolder.Path() + L"VDMon.exe", L"UNMUTEDCUE");
  ASSERT_NE(mutedCue, 0u);
  ASSERT_NE(unmutedCue, mutedCue);
  const auto notice = [] {
    wchar_t text[64] = {};
    const HWND window = FindWindowW(L"TVDMonNotice", nullptr);
    if (window && IsWindowVisible(window)) GetWindowTextW(window, text, 64);
    return std::wstring(text);
  };
  const auto pressButton5 = [&] { ASSERT_EQ(FMouse.Send({0x07, 0x20, 0x00, 0x00}), 1); };
  const auto cuesPlayed = [](DWORD count) { return PumpUntil([=] { return StandInSoundsPlayed().Count == count; }); };

  ASSERT_EQ(FMouse.Send({0x08, 0x01, 0x02}), 1);
  ASSERT_TRUE(PumpUntil([] { return StoredProfileId() == 2u; }));
  pressButton5();
  ASSERT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == true; }));
  EXPECT_TRUE(PumpUntil([&] { return notice() == L"Microphone muted"; }));
  ASSERT_TRUE(cuesPlayed(1));
  EXPECT_EQ(StandInSoundsPlayed().LastFingerprint, mutedCue);
  EXPECT_EQ(StandInSoundsPlayed().LastFlags, static_cast<DWORD>(SND_MEMORY | SND_ASYNC | SND_NODEFAULT));

  ASSERT_EQ(FMouse.Send({0x07, 0x08, 0x00, 0x00}), 1);  // button 3: the old profile's mute
  WaitUntilReportsHandled();                            // (on another profile, then back)
  ASSERT_EQ(FMouse.Send({0x08, 0x01, 0x02}), 1);
  ASSERT_TRUE(PumpUntil([] { return StoredProfileId() == 2u; }));
  EXPECT_EQ(StandInMicrophoneMuted(), true);
  EXPECT_EQ(StandInSoundsPlayed().Count, 1u);

  const DWORD off = 0, on = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"PlaySounds", REG_DWORD, &off, 4);
  pressButton5();
  ASSERT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == false; }));
  ASSERT_TRUE(PumpUntil([&] { return notice() == L"Microphone on"; }));  // said after the cue would be
  RegSetKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"PlaySounds", REG_DWORD, &on, 4);
  pressButton5();
  ASSERT_TRUE(PumpUntil([] { return StandInMicrophoneMuted() == true; }));
  ASSERT_TRUE(cuesPlayed(2));  // none while sounds were off
  EXPECT_EQ(StandInSoundsPlayed().LastFingerprint, mutedCue);
  pressButton5();
  ASSERT_TRUE(cuesPlayed(3));
  EXPECT_EQ(StandInSoundsPlayed().LastFingerprint, unmutedCue);
  EXPECT_EQ(StandInMicrophoneMuted(), false);
}

TEST_F(MouseReportTest, ReportsThatNameNoSingleButtonOrProfileDoNothing) {
  StoreGameProfile(1, {{0, kMicrophoneMute}, {1, kMicrophoneMute}});
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
