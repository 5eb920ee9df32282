// The monitor window as created from the stored description built into the program.

#include "app/win32/MonitorWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/win32/ConfiguratorLink.h"
#include "core/Application.h"
#include "harness/win32/StandInAudio.h"
#include "lang/SceneLanguage.h"
#include "lang/Translation.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "profile/FunctionTable.h"
#include "scene/win32/Win32Clock.h"
#include "tests/scene/SceneTestSupport.h"
#include "tests/scene/win32/LayeredWindowRecorder.h"
#include "tests/ui/win32/StandInShell.h"

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
  const TvgWin32Clock FClock;
  const TvgSceneLanguage FLanguage;
  std::unique_ptr<TDM> FModule;
  std::unique_ptr<TVDMonMain> FMonitor;
};

TEST_F(MonitorWindowTest, ItsComponentsComeInTheStoredOrderWithTheirClassesAndNames) {
  const std::pair<const char16_t*, const char16_t*> expected[] = {
      {u"vgScene1", u"TvgScene"},         {u"Root1", u"TvgBackground"},
      {u"ImageMain", u"TvgImage"},        {u"BtnOK", u"TvgBitmapStateButton"},
      {u"Rectangle1", u"TvgRectangle"},   {u"Label1", u"TvgLabel"},
      {u"Label2", u"TvgLabel"},           {u"Label3", u"TvgLabel"},
      {u"Label4", u"TvgLabel"},           {u"TextWeb", u"TvgText"},
      {u"BtnGoWeb", u"TvgImage"},         {u"ksHook1", u"TksHook"},
      {u"ksLanguage1", u"TksLanguage"},   {u"TrayIcon1", u"TTrayIcon"},
      {u"MyPopupMenu", u"TPopupMenu"},    {u"Config1", u"TMenuItem"},
      {u"About1", u"TMenuItem"},          {u"Exit1", u"TMenuItem"},
      {u"vgResources1", u"TvgResources"}, {u"ksHIDData1", u"TksHIDData"},
      {u"TimerDeviceArrial", u"TTimer"},  {u"ksHIDEvent1", u"TksHIDEvent"},
  };
  ASSERT_EQ(FMonitor->ComponentCount(), 22);
  for (int i = 0; i < 22; ++i) {
    EXPECT_EQ(FMonitor->Components(i)->Name(), expected[i].first);
    EXPECT_EQ(FMonitor->Components(i)->ClassName(), expected[i].second);
  }
  EXPECT_EQ(FMonitor->Name(), u"VDMonMain");
  EXPECT_EQ(FMonitor->vgScene1, FMonitor->Components(0));
  EXPECT_EQ(FMonitor->BtnGoWeb, FMonitor->Components(10));
  EXPECT_EQ(FMonitor->ksHook1, FMonitor->Components(11));
  EXPECT_EQ(FMonitor->Exit1, FMonitor->Components(17));
  EXPECT_EQ(FMonitor->vgResources1, FMonitor->Components(18));
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
  EXPECT_EQ(FMonitor->BtnOK->OnClick.HandlerName(), u"BtnOKClick");
  EXPECT_EQ(FMonitor->BtnGoWeb->OnClick.HandlerName(), u"BtnGoWebClick");
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

TEST_F(MonitorWindowTest, TheAboutSceneFillsTheWindowAndMakesItLayered) {
  const HWND scene = FMonitor->vgScene1->Handle();
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(GetParent(scene), FMonitor->Handle());
  RECT client{};
  GetClientRect(scene, &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 400);
  EXPECT_TRUE(GetWindowLongPtrW(FMonitor->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(FMonitor->vgScene1->GetRoot(), FMonitor->Root1);
  EXPECT_EQ(FMonitor->vgScene1->Style(), FMonitor->vgResources1);
  EXPECT_EQ(FMonitor->ImageMain->Bitmap()->Width(), 1667);
  EXPECT_EQ(FMonitor->BtnOK->BitmapDown()->Width(), 94);
}

TEST_F(MonitorWindowTest, TheStyleSetHoldsTheWindowsStylesAndItsControlsTakeThem) {
  const char16_t* names[] = {u"Mytabitem1", u"Mytabctrl",    u"MyStateBtn", u"MyButton",
                             u"MyButton1",  u"MyStepButton", u"MyNumBtn",   u"MyButton2"};
  for (int i = 0; i < 8; ++i) EXPECT_NE(FMonitor->vgResources1->Root()->FindResource(names[i]), nullptr) << i;
  ASSERT_NE(FMonitor->BtnOK->TextPart(), nullptr);
  // The style's animations settle on the button's state first.
  for (int i = 0; i < 8; ++i) FMonitor->ProcessMessageAndSleep50ms();
  EXPECT_EQ(FMonitor->BtnOK->TextPart()->Fill()->Color(), 0xFFFCFCFCu);
  EXPECT_EQ(FMonitor->BtnOK->TextPart()->HorzTextAlign(), vgTextAlignCenter);
  ASSERT_NE(FMonitor->Label1->TextPart(), nullptr);
  EXPECT_EQ(FMonitor->Label1->TextPart()->Fill()->Color(), 0xFFE0E0E0u);
  EXPECT_TRUE(FMonitor->Label1->TextPart()->Font()->Bold());
  EXPECT_EQ(FMonitor->Label1->TextPart()->HorzTextAlign(), vgTextAlignNear);
}

TEST_F(MonitorWindowTest, TheAboutWindowsButtonsTakeTheMouseAndItsBackgroundDoesNot) {
  const std::pair<TvgPoint, TvgVisualObject*> cases[] = {
      {{255, 338}, FMonitor->BtnOK},
      {{106, 278}, FMonitor->BtnGoWeb},
      {{250, 40}, nullptr},
      {{2, 2}, nullptr},
  };
  for (const auto& [point, object] : cases)
    EXPECT_EQ(FMonitor->vgScene1->ObjectAtPoint(point.X, point.Y), object) << point.X << "," << point.Y;
}

TEST_F(MonitorWindowTest, TheAboutWindowsPixelsAreOpaqueInsideThePicturesOutlineAndTransparentOutside) {
  const test::TLayeredWindowRecorder layer;
  FMonitor->About1Click(nullptr);
  for (int i = 0; i < 6; ++i) FMonitor->ProcessMessageAndSleep50ms();
  const auto& call = layer.Last();
  ASSERT_GE(call.Count, 1);
  EXPECT_EQ(call.Window, FMonitor->Handle());
  ASSERT_EQ(call.Width, 504);
  ASSERT_EQ(call.Pixels.size(), 504u * 400u);
  const auto alpha = [&](int x, int y) { return call.Pixels[static_cast<std::size_t>(y) * 504 + x] >> 24; };
  // The picture is drawn 502 wide, one pixel in from the left; its corners are rounded.
  for (const auto& [x, y] : {std::pair{0, 200}, {0, 0}, {503, 399}, {2, 397}, {501, 2}}) EXPECT_EQ(alpha(x, y), 0u);
  for (const auto& [x, y] : {std::pair{250, 40}, {250, 200}, {30, 200}, {470, 360}, {255, 338}})
    EXPECT_EQ(alpha(x, y), 255u);
  int partly = 0;
  for (const std::uint32_t pixel : call.Pixels) {
    const std::uint32_t a = pixel >> 24;
    partly += a > 0 && a < 255;
    // Premultiplied: no channel above the alpha.
    ASSERT_LE(pixel >> 16 & 0xFF, a);
    ASSERT_LE(pixel >> 8 & 0xFF, a);
    ASSERT_LE(pixel & 0xFF, a);
  }
  // The outline and its shadow fade out.
  EXPECT_GT(partly, 1000);
}

TEST_F(MonitorWindowTest, TheAboutWindowsDrawingIsMadeWhenItIsFirstShownAndLetGo30sAfterItWasHidden) {
  const auto drawingSide = [&] {
    const bool gdiPlus = GetModuleHandleW(L"gdiplus.dll") != nullptr;
    const bool decoded = FMonitor->ImageMain->Bitmap()->Cache() || FMonitor->BtnOK->Bitmap()->Cache();
    const bool canvas = FMonitor->vgScene1->Canvas() != nullptr;
    EXPECT_EQ(gdiPlus, canvas);
    EXPECT_EQ(decoded, canvas);
    return canvas;
  };
  // Started, its style animations settled, the configurator's settings applied again.
  for (int i = 0; i < 8; ++i) FMonitor->ProcessMessageAndSleep50ms();
  SendMessageW(FMonitor->Handle(), WM_SETTINGS_CHANGED, 0, 0);
  FMonitor->ProcessMessageAndSleep50ms();
  EXPECT_FALSE(drawingSide());

  const test::TLayeredWindowRecorder layer;
  FMonitor->About1Click(nullptr);
  EXPECT_TRUE(drawingSide());
  const std::vector<std::uint32_t> first = layer.Last().Pixels;
  ASSERT_EQ(first.size(), 504u * 400u);

  scene_test::TManualClock clock;
  FMonitor->BtnOKClick(nullptr);
  clock.Advance(TvgScene::kReleaseDelayMs - 1);
  EXPECT_TRUE(drawingSide());
  clock.Advance(1);
  EXPECT_FALSE(drawingSide());

  FMonitor->About1Click(nullptr);
  EXPECT_TRUE(drawingSide());
  EXPECT_TRUE(layer.Last().Pixels == first);
}

// Dragged onto a screen of another scale, the About window takes that scale at the place the
// system suggests, drawn again once; told the scale it has, it stays as it is.
TEST_F(MonitorWindowTest, TheAboutWindowTakesANewScaleAtTheSuggestedPlaceDrawnOnce) {
  const test::TLayeredWindowRecorder layer;
  FMonitor->About1Click(nullptr);
  for (int i = 0; i < 6; ++i) FMonitor->ProcessMessageAndSleep50ms();
  struct TCase {
    UINT Dpi;
    RECT Suggested;
    RECT Expected;
    int Passes;
  };
  const TCase cases[] = {
      {144, {100, 50, 856, 650}, {100, 50, 856, 650}, 1},
      {144, {0, 0, 10, 10}, {100, 50, 856, 650}, 0},
      {192, {-20, 40, 988, 840}, {-20, 40, 988, 840}, 1},
      {96, {300, 200, 804, 600}, {300, 200, 804, 600}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Dpi);
    const int before = layer.Last().Count;
    RECT suggested = c.Suggested;
    SendMessageW(FMonitor->Handle(), WM_DPICHANGED, MAKEWPARAM(c.Dpi, c.Dpi), reinterpret_cast<LPARAM>(&suggested));
    for (int i = 0; i < 4; ++i) FMonitor->ProcessMessageAndSleep50ms();
    RECT window{};
    GetWindowRect(FMonitor->Handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &c.Expected))
        << window.left << "," << window.top << "," << window.right << "," << window.bottom;
    EXPECT_EQ(layer.Last().Count - before, c.Passes);
    EXPECT_EQ(layer.Last().Position.x, c.Expected.left);
    EXPECT_EQ(layer.Last().Size.cx, c.Expected.right - c.Expected.left);
    EXPECT_EQ(layer.Last().Size.cy, c.Expected.bottom - c.Expected.top);
    EXPECT_EQ(layer.Last().Pixels.size(), static_cast<std::size_t>(layer.Last().Size.cx * layer.Last().Size.cy));
  }
}

TEST_F(MonitorWindowTest, TheAboutTextsFollowTheLanguageButTheWebAddressStaysAsStored) {
  FMonitor->ksLanguage1->SetLang(u"CH");
  EXPECT_EQ(FMonitor->Label1->Text(), u"\u8F6F\u786C\u4EF6\u4FE1\u606F\uFF1A");
  EXPECT_EQ(FMonitor->Label3->Text(), u"\u8F6F\u4EF6\u7248\u672C\uFF1A1.00.00");
  EXPECT_EQ(FMonitor->BtnOK->Text(), u"\u786E\u5B9A");
  EXPECT_EQ(FMonitor->BtnOK->TextPart()->Text(), u"\u786E\u5B9A");
  const std::u16string address = FMonitor->TextWeb->Text();
  EXPECT_EQ(address, u"https://www.example.com/vardel");
  FMonitor->ksLanguage1->SetLang(u"en");
  EXPECT_EQ(FMonitor->Label1->Text(), u"Hardware & Software Information:");
  EXPECT_EQ(FMonitor->BtnOK->Text(), u"OK");
  EXPECT_EQ(FMonitor->TextWeb->Text(), address);
}

// The tray shows whether the default capture device is muted, whatever changed it.
TEST(MonitorTrayTest, TheTrayIconAndHintFollowTheMicrophone) {
  platform::TWin32Platform system;
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  test::TStandInAudioSystem audio;
  audio.AddDevice(L"A", false);
  audio.AddDevice(L"B", true);
  audio.SetDefault(L"", false);
  TDM module(nullptr);
  TVDMonMain monitor(nullptr, module, audio.Source());
  const auto press = [&] { monitor.DoButtonFunction(8, FunctionIndexMicrophoneMute, 1); };
  const std::u16string live = LookupTranslation(u"Vardel Gaming Mouse Driver");
  const std::u16string muted = live + u" " + LookupTranslation(u"(microphone muted)");
  ASSERT_NE(live, muted);

  const struct {
    const char* What;
    std::function<void()> Do;
    bool Muted;
  } steps[] = {
      {"created without a capture device", [] {}, false},
      {"a press without a capture device", press, false},
      {"a live device becomes the default one", [&] { audio.SetDefault(L"A"); }, false},
      {"a press", press, true},
      {"unmuted elsewhere", [&] { audio.MuteElsewhere(L"A", false); }, false},
      {"a muted device becomes the default one", [&] { audio.SetDefault(L"B"); }, true},
      {"a press whose device cannot be read",
       [&] {
         audio.FailGetMute(L"B", true);
         press();
       },
       true},
      {"the language applied again", [&] { monitor.ApplyLanguage(); }, true},
      {"readable again, a press",
       [&] {
         audio.FailGetMute(L"B", false);
         press();
       },
       false},
      {"no capture device any more", [&] { audio.SetDefault(L""); }, false},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.What);
    step.Do();
    ProcessMessages();
    EXPECT_EQ(monitor.TrayIcon1->IconName(), step.Muted ? L"MUTEDICON" : L"MAINICON");
    EXPECT_EQ(monitor.TrayIcon1->Hint(), step.Muted ? muted : live);
  }
  EXPECT_FALSE(audio.Muted(L"A"));
  EXPECT_FALSE(audio.Muted(L"B"));
  ReleaseTranslationState();
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
}

// What the tray shows stays while the microphone's state cannot be read, and after a mute that
// did not take it shows the state as it is.
TEST(MonitorTrayTest, TheTrayKeepsWhatItShowsWhileTheMicrophonesStateIsUnknown) {
  platform::TWin32Platform system;
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  test::TStandInAudioSystem audio;
  audio.AddDevice(L"B", true);
  audio.AddDevice(L"C", false);
  audio.FailActivate(L"C", true);
  audio.SetDefault(L"B", false);
  TDM module(nullptr);
  TVDMonMain monitor(nullptr, module, audio.Source());
  const auto press = [&] { monitor.DoButtonFunction(8, FunctionIndexMicrophoneMute, 1); };

  const struct {
    const char* What;
    std::function<void()> Do;
    bool Muted;
  } steps[] = {
      {"created with a muted device", [] {}, true},
      {"a device that refuses its endpoint volume becomes the default one", [&] { audio.SetDefault(L"C"); }, true},
      {"a press on it", press, true},
      {"the language applied again", [&] { monitor.ApplyLanguage(); }, true},
      {"the muted device the default one again", [&] { audio.SetDefault(L"B"); }, true},
      {"a press whose mute does not take",
       [&] {
         audio.FailSetMute(L"B", true);
         press();
       },
       true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.What);
    step.Do();
    ProcessMessages();
    EXPECT_EQ(monitor.TrayIcon1->IconName(), step.Muted ? L"MUTEDICON" : L"MAINICON");
  }
  EXPECT_TRUE(audio.Muted(L"B"));
  EXPECT_FALSE(audio.Muted(L"C"));
  ReleaseTranslationState();
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
}

// The microphones a press acts on, by the MuteScope setting: "A" the default capture device,
// "C" the default communications one. The tray says "muted" only when every one in scope is.
TEST(MonitorTrayTest, APressActsOnTheMicrophonesInScopeAndTheTrayIsMutedOnlyWhenAllAre) {
  platform::TWin32Platform system;
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  test::TStandInAudioSystem audio;
  audio.AddDevice(L"A", false);
  audio.AddDevice(L"C", false);
  audio.SetDefault(L"A", false);
  audio.SetCommunicationsDefault(L"C", false);
  TDM module(nullptr);
  TVDMonMain monitor(nullptr, module, audio.Source());
  const auto press = [&] { monitor.DoButtonFunction(8, FunctionIndexMicrophoneMute, 1); };
  const auto scope = [](DWORD value) {
    return [value] {
      RegSetKeyValueW(HKEY_CURRENT_USER, L"software\\Vardelngmmouse\\Monitor", L"MuteScope", REG_DWORD, &value,
                      sizeof value);
    };
  };
  const auto both = [&](bool muted) {
    audio.MuteElsewhere(L"A", muted);
    audio.MuteElsewhere(L"C", muted);
  };

  const struct {
    const char* What;
    std::function<void()> Set;
    bool Press;
    bool A, C, Tray;
  } steps[] = {
      {"scope 1 (the default): a press mutes both", [] {}, true, true, true, true},
      {"the communications device unmuted elsewhere", [&] { audio.MuteElsewhere(L"C", false); }, false, true, false,
       false},
      {"a press mutes the live one too", [] {}, true, true, true, true},
      {"a press unmutes both", [] {}, true, false, false, false},
      {"scope 0: a press mutes the default device only", scope(0), true, true, false, true},
      {"scope 2: every active device",
       [&] {
         both(false);
         scope(2)();
       },
       true, true, true, true},
      {"scope 1, the communications device refusing: shown as on",
       [&] {
         both(false);
         scope(1)();
         audio.FailSetMute(L"C", true);
       },
       true, true, false, false},
      {"the next press tries again", [&] { audio.FailSetMute(L"C", false); }, true, true, true, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.What);
    step.Set();
    if (step.Press) press();
    ProcessMessages();
    EXPECT_EQ(audio.Muted(L"A"), step.A);
    EXPECT_EQ(audio.Muted(L"C"), step.C);
    EXPECT_EQ(monitor.TrayIcon1->IconName(), step.Tray ? L"MUTEDICON" : L"MAINICON");
  }
  ReleaseTranslationState();
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
}

// A press shows its notice before the tray is handed the new icon: that call waits for the
// shell, which may be busy.
TEST(MonitorTrayTest, APressShowsItsNoticeBeforeTheTrayTakesTheNewIcon) {
  platform::TWin32Platform system;
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  const TStandInShell shell;
  test::TStandInAudioSystem audio;
  audio.AddDevice(L"A", false);
  audio.SetDefault(L"A", false);
  TDM module(nullptr);
  TVDMonMain monitor(nullptr, module, audio.Source(),
                     [] { return std::optional<TScreenState>(TScreenState::AcceptsNotifications); });
  ProcessMessages();  // the tray icon appears
  std::vector<bool> noticeShownAtModify;
  TStandInShell::State().OnCall = [&](DWORD message) {
    const HWND notice = FindWindowW(L"TVDMonNotice", nullptr);
    if (message == NIM_MODIFY) noticeShownAtModify.push_back(notice && IsWindowVisible(notice));
  };
  monitor.DoButtonFunction(8, FunctionIndexMicrophoneMute, 1);
  TStandInShell::State().OnCall = nullptr;
  EXPECT_TRUE(audio.Muted(L"A"));
  ASSERT_FALSE(noticeShownAtModify.empty());
  EXPECT_TRUE(noticeShownAtModify.front());
  EXPECT_EQ(monitor.TrayIcon1->IconName(), L"MUTEDICON");
  ReleaseTranslationState();
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
}

// The notice stays away only from an exclusive full-screen Direct3D program and a presentation,
// as the shell tells them.
TEST(MonitorNoticeTest, TheNoticeShowsUnlessTheShellReportsDirect3DFullScreenOrAPresentation) {
  platform::TWin32Platform system;
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  TDM module(nullptr);
  TScreenState state = TScreenState::AcceptsNotifications;
  TVDMonMain monitor(nullptr, module, {}, [&] { return std::optional<TScreenState>(state); });
  for (const TScreenState shown : {TScreenState::RunningDirect3DFullScreen, TScreenState::PresentationMode,
                                   TScreenState::Busy, TScreenState::AcceptsNotifications}) {
    state = shown;
    SendMessageW(monitor.Handle(), 7524, 21 + 1, 0);  // the mouse switched to profile 1
    const HWND notice = FindWindowW(L"TVDMonNotice", nullptr);
    const bool expected = shown != TScreenState::RunningDirect3DFullScreen && shown != TScreenState::PresentationMode;
    EXPECT_EQ(notice && IsWindowVisible(notice), expected) << "state " << static_cast<int>(shown);
  }
  ReleaseTranslationState();
  RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
}

// A notice whose window could not be made layered would be an unpainted box on top that takes
// the mouse: it shows nothing.
TEST(MonitorNoticeTest, ANoticeThatCouldNotBeMadeLayeredShowsNothing) {
  platform::TWin32Platform system;
  const TvgWin32Clock clock;
  for (const bool layered : {true, false}) {
    SCOPED_TRACE(layered ? "layered" : "not layered");
    TVDMonNotice notice(nullptr);
    if (!layered)
      SetWindowLongPtrW(notice.Handle(), GWL_EXSTYLE, GetWindowLongPtrW(notice.Handle(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
    notice.ShowNotice(u"Profile 2", TVDMonNotice::TIcon::Profile);
    EXPECT_EQ(IsWindowVisible(notice.Handle()) != FALSE, layered);
  }
}

}  // namespace
}  // namespace vd::win32
