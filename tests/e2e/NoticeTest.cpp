// The on-screen notice of the real monitor: after a profile switch and a microphone-mute press
// on the stand-in mouse, a layered window that never takes the foreground or the mouse says
// what happened, in the stored language, near the bottom of the screen, and goes again. Its
// caption carries the text its scene shows. On a screen of 144 or 192 DPI it is as many times
// as large.

#include <gtest/gtest.h>

#include <string>

#include "harness/win32/SystemStandIns.h"
#include "scene/paint/Scale.h"
#include "tests/e2e/MonitorTest.h"

namespace vd::e2e {
namespace {

constexpr std::uint16_t kMicrophoneMute = 28;
constexpr DWORD kNoticeStyles = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;

class NoticeTest : public TMouseTest {
protected:
  void SetUp() override {
    TMouseTest::SetUp();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"ShowNotifications");
  }
  static HWND Notice() { return FindWindowW(L"TVDMonNotice", nullptr); }
  static bool Shown() { return IsWindowVisible(Notice()) != FALSE; }
  static int CountShown() {
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"TVDMonNotice", nullptr));)
      count += IsWindowVisible(window) != FALSE;
    return count;
  }
  static std::wstring Text() {
    wchar_t text[256] = {};
    GetWindowTextW(Notice(), text, 256);
    return text;
  }
  // A window of the test in the foreground, as a game would be; full-screen when asked.
  win32::TUniqueWindow Foreground(bool fullScreen = false) {
    const int width = fullScreen ? GetSystemMetrics(SM_CXSCREEN) : 200;
    const int height = fullScreen ? GetSystemMetrics(SM_CYSCREEN) : 100;
    win32::TUniqueWindow window(CreateWindowExW(0, L"STATIC", L"game", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    SetForegroundWindow(window.Get());
    PumpUntil([&] { return GetForegroundWindow() == window.Get(); });
    return window;
  }
  // Sends the report, then waits for the notice; answers whether it showed.
  bool Press(std::initializer_list<std::uint8_t> report, DWORD timeoutMs = 10000) {
    EXPECT_EQ(FMouse.Send(report), 1);
    return PumpUntil(Shown, timeoutMs);
  }
  // Switches to the profile on the mouse and waits until the monitor has handled the switch:
  // ProfileID names the profile, and then the monitor's window answers a message, which it
  // does only once the handler that stored it, and showed any notice, has returned. Answers
  // whether a notice shows.
  bool SwitchShowsNotice(std::uint8_t profile) {
    EXPECT_EQ(FMouse.Send({0x08, 0x01, profile}), 1);
    EXPECT_TRUE(PumpUntil([&] { return StoredProfileId() == profile; }));
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(FindMonitorWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored), 0);
    return Shown();
  }
};

TEST_F(NoticeTest, AProfileSwitchShowsTheProfileCountedFrom1NearTheBottomAndGoesWithoutTakingTheForeground) {
  StartReadingMouse();
  const win32::TUniqueWindow game = Foreground();
  ASSERT_TRUE(Press({0x08, 0x01, 0x04}));
  const DWORD shown = GetTickCount();
  EXPECT_EQ(StoredProfileId(), 4u);
  EXPECT_EQ(Text(), L"Profile 5");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(Notice(), GWL_EXSTYLE)) & kNoticeStyles, kNoticeStyles);
  // Without a system menu no window manager takes charge of it, whose hiding would hold up
  // the monitor's main thread (about 2 s under Wine without one).
  EXPECT_EQ(GetWindowLongPtrW(Notice(), GWL_STYLE) & WS_SYSMENU, 0);
  RECT notice{}, work{};
  GetWindowRect(Notice(), &notice);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(notice.left + notice.right, work.left + work.right) << "centred";
  EXPECT_EQ(notice.bottom, work.bottom - 48);
  EXPECT_EQ(GetForegroundWindow(), game.Get());
  EXPECT_TRUE(PumpUntil([] { return !Shown(); }, 3000 - (GetTickCount() - shown)));
  EXPECT_EQ(GetForegroundWindow(), game.Get());
  // A monitor that showed a notice still ends cleanly.
  ASSERT_TRUE(ChooseTrayMenuItem(TrayIcon(), 2));
  EXPECT_EQ(FMonitor->WaitForExit(), 0u);
}

TEST_F(NoticeTest, WithTheStoredLanguageChineseTheNoticeIsChinese) {
  StoreLanguage(1);  // ks.local: English, Simplified Chinese, Traditional Chinese
  StartReadingMouse();
  ASSERT_TRUE(Press({0x08, 0x01, 0x04}));
  EXPECT_EQ(Text(), L"\u914D\u7F6E\u6587\u4EF6 5");
}

TEST_F(NoticeTest, AMutePressShowsTheStateReadBackAndTwoPressesInARowLeaveOneNoticeWithTheSecond) {
  StoreGameProfile(1, {{8, kMicrophoneMute}});
  SetStandInMicrophone(false);
  StartReadingMouse();
  ASSERT_TRUE(Press({0x07, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Text(), L"Microphone muted");
  ASSERT_TRUE(PumpUntil([] { return !Shown(); }, 3000));
  ASSERT_TRUE(Press({0x07, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Text(), L"Microphone on");
  PumpFor(200);
  ASSERT_EQ(FMouse.Send({0x07, 0x00, 0x01, 0x00}), 1);
  EXPECT_TRUE(PumpUntil([] { return Text() == L"Microphone muted"; }));
  EXPECT_EQ(CountShown(), 1);
  EXPECT_EQ(StandInMicrophoneMuted(), true);
}

TEST_F(NoticeTest, NothingShowsWhenTurnedOffOrWithoutACaptureDeviceButItShowsOverAFullScreenWindow) {
  StoreGameProfile(1, {{8, kMicrophoneMute}});
  StartReadingMouse();
  // No capture device: the press changes nothing, and nothing is said.
  EXPECT_FALSE(Press({0x07, 0x00, 0x01, 0x00}, 1500));
  // Turned off in the monitor's own key.
  const DWORD off = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"ShowNotifications", REG_DWORD, &off,
                  sizeof off);
  EXPECT_FALSE(SwitchShowsNotice(2));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"ShowNotifications");
  // A full-screen window of another program in the foreground, as a borderless game is: the
  // notice shows over it, and the game keeps the foreground.
  const win32::TUniqueWindow game = Foreground(true);
  EXPECT_TRUE(Press({0x08, 0x01, 0x03}));
  EXPECT_EQ(Text(), L"Profile 4");
  EXPECT_EQ(GetForegroundWindow(), game.Get());
}

class ScaledNoticeTest : public NoticeTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(ScaledNoticeTest, OnAScreenOfAnotherScaleTheNoticeIsAsManyTimesAsLargeAndAsFarFromTheBottom) {
  const TScreenDpi screen(GetParam());
  const float scale = ScaleForDpi(GetParam());
  StartReadingMouse();
  ASSERT_TRUE(Press({0x08, 0x01, 0x04}));
  RECT notice{}, work{};
  GetWindowRect(Notice(), &notice);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(notice.right - notice.left, ScaledLength(340, scale));
  EXPECT_EQ(notice.bottom - notice.top, ScaledLength(84, scale));
  EXPECT_EQ(notice.left + notice.right, work.left + work.right) << "centred";
  EXPECT_EQ(notice.bottom, work.bottom - ScaledLength(48, scale));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScaledNoticeTest, ::testing::Values(144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "Dpi"; });

}  // namespace
}  // namespace vd::e2e
