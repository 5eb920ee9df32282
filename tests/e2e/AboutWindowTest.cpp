// The About window of the shipped monitor under Wine: shown from the tray menu as a layered
// picture window, its OK button hot under the mouse, pressed, clicked; dragged by its
// background; its web button with no browser; its texts in the stored language; on screens of
// 144 and 192 DPI, larger and drawn as the scene renderer draws it at that scale. Without a
// compositor the screen shows a layered window's colours as drawn, premultiplied, over black:
// so screenshots show where the picture is, and its colours, but not the desktop behind.

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "harness/win32/Screenshot.h"
#include "platform/win32/Win32Platform.h"
#include "scene/paint/Bitmap.h"
#include "scene/paint/Scale.h"
#include "scene/win32/GdiPlusCanvas.h"
#include "tests/e2e/MonitorTest.h"
#include "tests/forms/CanvasTolerances.h"
#include "tests/forms/PictureDifference.h"

namespace vd::e2e {
namespace {

constexpr int kWidth = 504;
constexpr int kHeight = 400;
// Places in the window: the OK button, the web button, a point of the background picture
// where no object takes the mouse, and the texts (their style's text part, in window pixels).
constexpr RECT kOK{208, 325, 302, 352};
constexpr RECT kGoWeb{68, 263, 145, 294};
constexpr POINT kBackground{250, 40};
constexpr RECT kLabel1{63, 106, 468, 132};
constexpr RECT kLabel2{68, 132, 468, 162};
constexpr RECT kLabel3{68, 162, 468, 192};
constexpr RECT kLabel4{63, 192, 468, 218};
constexpr RECT kTextWeb{61, 223, 362, 249};
constexpr RECT kOKText{223, 330, 287, 347};

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A place in the window at a screen's scale, in whole pixels as the window draws pictures.
RECT Scaled(const RECT& r, float scale) {
  const TvgRect pixels = OnWholePixels(ScaledRect({static_cast<float>(r.left), static_cast<float>(r.top),
                                                   static_cast<float>(r.right), static_cast<float>(r.bottom)},
                                                  scale));
  return {static_cast<LONG>(pixels.Left), static_cast<LONG>(pixels.Top), static_cast<LONG>(pixels.Right),
          static_cast<LONG>(pixels.Bottom)};
}
POINT Scaled(POINT p, float scale) { return {ScaledLength(p.x, scale), ScaledLength(p.y, scale)}; }

// What the program draws, drawn the same way by this test: a text or a picture in a buffer
// of the same size, transparent elsewhere.
class TReference {
public:
  TReference(int width, int height) { FCanvas.ResizeBuffer(width, height); }
  void Text(std::u16string_view text, float size, bool bold, TvgTextAlign horizontal, TvgColor color) {
    FCanvas.BeginScene();
    TvgTextFormat format;
    format.Family = u"Tahoma";
    format.Size = size;
    format.Bold = bold;
    format.Horizontal = horizontal;
    const auto& buffer = FCanvas.Buffer();
    FCanvas.FillText({0, 0, static_cast<float>(buffer.Width()), static_cast<float>(buffer.Height())}, text, format,
                     color, 1);
    FCanvas.EndScene();
  }
  // The picture drawn over the whole buffer, smoothly scaled where it is not of its size.
  void Picture(const std::wstring& file) {
    TvgBitmap picture;
    picture.SetPNG(ReadFile(file));
    FCanvas.BeginScene();
    const TvgRect whole{0, 0, static_cast<float>(picture.Width()), static_cast<float>(picture.Height())};
    const TvgRect buffer{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
    FCanvas.DrawBitmap(picture, whole, buffer, 1, !(buffer == whole));
    FCanvas.EndScene();
  }
  // Premultiplied ARGB.
  std::uint32_t At(int x, int y) const { return FCanvas.Buffer().Bits()[y * FCanvas.Buffer().Width() + x]; }
  int Width() const { return FCanvas.Buffer().Width(); }
  int Height() const { return FCanvas.Buffer().Height(); }

private:
  static std::vector<std::uint8_t> ReadFile(const std::wstring& name) {
    const win32::TUniqueFile file(CreateFileW((BuildFolder() + L"e2e\\art\\" + name).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<std::uint8_t> bytes(file ? GetFileSize(file.Get(), nullptr) : 0);
    DWORD read = 0;
    if (file) ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
  }

  platform::TWin32Platform FSystem;
  win32::TvgGdiPlusCanvas FCanvas;
};

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

// Whether the screenshot shows the reference at `origin`: where the reference is opaque, its
// colour (within a small tolerance); where it is transparent, not a light pixel. Answers the
// share of opaque pixels that match, so that a test can say how well.
double Matches(const TScreenshot& shot, POINT origin, const TReference& reference, int firstRow = 0, int lastRow = -1) {
  int opaque = 0, matching = 0;
  if (lastRow < 0) lastRow = reference.Height() - 1;
  for (int y = firstRow; y <= lastRow; ++y)
    for (int x = 0; x < reference.Width(); ++x) {
      const std::uint32_t want = reference.At(x, y);
      const std::uint32_t got = shot.At(origin.x + x, origin.y + y);
      if (want >> 24 != 0xFF) continue;
      ++opaque;
      bool same = true;
      for (int shift : {0, 8, 16}) same = same && std::abs(Channel(want, shift) - Channel(got, shift)) <= 12;
      matching += same;
    }
  return opaque ? static_cast<double>(matching) / opaque : 0;
}

// How the screenshot of the window differs from a picture of it, as the cross-check of the
// canvases counts it: in the colours alone (the screen shows them premultiplied, over black),
// the texts' rectangles apart.
picture_test::TPictureDifference DifferenceFrom(const TScreenshot& shot, const TReference& picture,
                                                std::span<const TvgRect> texts) {
  picture_test::TPicture drawn{picture.Width(), picture.Height(), {}}, shown{shot.Width, shot.Height, shot.Pixels};
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) drawn.Pixels.push_back(picture.At(x, y) & 0xFFFFFF);
  return picture_test::Difference(drawn, shown, picture_test::kCanvasThreshold, texts,
                                  picture_test::kCanvasTextThreshold);
}

// The prefix's handlers of web addresses (http and https), replaced for a test and put back
// after it: none at all, or a browser program given the address as its command line.
class TWebHandlers {
public:
  explicit TWebHandlers(const std::wstring& browser = L"") {
    for (const wchar_t* scheme : kSchemes) {
      const std::wstring key = Key(scheme);
      Copy(key, key + kSaved);
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
      if (browser.empty()) continue;
      const std::wstring command = L"\"" + browser + L"\" %1";
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"URL Protocol", REG_SZ, L"", sizeof(wchar_t));
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, (key + L"\\shell\\open\\command").c_str(), nullptr, REG_SZ, command.c_str(),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
  }
  ~TWebHandlers() {
    for (const wchar_t* scheme : kSchemes) {
      const std::wstring key = Key(scheme);
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
      Copy(key + kSaved, key);
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, (key + kSaved).c_str());
    }
  }
  TWebHandlers(const TWebHandlers&) = delete;
  TWebHandlers& operator=(const TWebHandlers&) = delete;

private:
  static constexpr const wchar_t* kSchemes[] = {L"http", L"https"};
  static constexpr wchar_t kSaved[] = L".vd-saved";
  static std::wstring Key(const wchar_t* scheme) { return std::wstring(L"Software\\Classes\\") + scheme; }
  static void Copy(const std::wstring& from, const std::wstring& to) {
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return;
    const win32::TUniqueRegKey sourceKey(source);
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) !=
        ERROR_SUCCESS)
      return;
    const win32::TUniqueRegKey targetKey(target);
    RegCopyTreeW(source, nullptr, target);
  }
};

class AboutWindowTest : public TMonitorTest {
protected:
  void ShowAbout() {
    ASSERT_TRUE(ChooseTrayMenuItem(TrayIcon(), 1));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(FindMonitorWindow()) != FALSE; }));
    PumpFor(500);
  }
  static RECT WindowRect() {
    RECT rect{};
    GetWindowRect(FindMonitorWindow(), &rect);
    return rect;
  }
  static TScreenshot Shot() { return CaptureScreen(WindowRect()); }
  // The mouse at a point of the window.
  static void MoveTo(POINT inWindow) {
    const RECT window = WindowRect();
    MoveMouseTo({window.left + inWindow.x, window.top + inWindow.y});
  }
  // Which of the OK button's pictures the screen shows, judged by the rows above its text, on
  // a screen of that scale; empty when none.
  static std::wstring OkPicture(float scale = 1) {
    const TScreenshot shot = Shot();
    const RECT ok = Scaled(kOK, scale);
    for (const wchar_t* name : {L"BtnOK.png", L"BtnOKHot.png", L"BtnOKDown.png"}) {
      TReference picture(ok.right - ok.left, ok.bottom - ok.top);
      picture.Picture(name);
      if (Matches(shot, {ok.left, ok.top}, picture, 0, ScaledLength(4, scale)) > 0.97) return name;
    }
    return L"";
  }
  // Waits until the screen shows that picture of the OK button; answers the one it shows.
  static std::wstring WaitForOkPicture(const std::wstring& name, float scale = 1) {
    std::wstring shown;
    PumpUntil([&] { return (shown = OkPicture(scale)) == name; }, 3000);
    return shown;
  }
  static double TextShown(const TScreenshot& shot, const RECT& where, std::u16string_view text, float size, bool bold,
                          TvgColor color) {
    TReference reference(where.right - where.left, where.bottom - where.top);
    reference.Text(text, size, bold, vgTextAlignNear, color);
    return Matches(shot, {where.left, where.top}, reference);
  }
};

TEST_F(AboutWindowTest, AboutShowsTheLayeredPictureWindowCentredWithItsTextsAndButton) {
  StartMonitor();
  ShowAbout();
  const HWND window = FindMonitorWindow();
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2);

  const TScreenshot shot = Shot();
  ASSERT_EQ(shot.Width, kWidth);
  // Outside the picture's rounded outline nothing is drawn; inside it is the dark picture.
  EXPECT_EQ(shot.At(0, 0), 0u);
  EXPECT_EQ(shot.At(kWidth - 1, kHeight - 1), 0u);
  EXPECT_EQ(shot.At(0, kHeight / 2), 0u);
  const std::uint32_t panel = shot.At(250, 300);
  EXPECT_GT(Channel(panel, 0), 0);
  EXPECT_LT(Channel(panel, 0), 0x60);
  EXPECT_GT(TextShown(shot, kLabel1, u"Hardware & Software Information:", 16, true, 0xFFE0E0E0), 0.95);
  EXPECT_GT(TextShown(shot, kLabel2, u"Hardware Core:1.00.00", 13, false, 0xFFE0E0E0), 0.95);
  EXPECT_GT(TextShown(shot, kLabel3, u"Software Core:1.00.00", 13, false, 0xFFE0E0E0), 0.95);
  EXPECT_GT(TextShown(shot, kLabel4, u"Software Update Website:", 16, true, 0xFFE0E0E0), 0.95);
  EXPECT_GT(TextShown(shot, kTextWeb, u"https://www.example.com/vardel", 13, false, 0xFFFFFFFF), 0.95);
  EXPECT_EQ(WaitForOkPicture(L"BtnOK.png"), L"BtnOK.png");
}

TEST_F(AboutWindowTest, TheOkButtonIsHotUnderTheMouseAndPressedWhileHeldAndOnlyAClickInsideHides) {
  StartMonitor();
  MoveMouseTo({0, 0});
  ShowAbout();
  const RECT shown = WindowRect();
  ASSERT_EQ(WaitForOkPicture(L"BtnOK.png"), L"BtnOK.png");
  const TScreenshot first = Shot();
  MoveTo(Centre(kOK));
  EXPECT_EQ(WaitForOkPicture(L"BtnOKHot.png"), L"BtnOKHot.png");
  PressLeftButton();
  EXPECT_EQ(WaitForOkPicture(L"BtnOKDown.png"), L"BtnOKDown.png");
  // Off the button with the button held: no longer pressed; released there: no click.
  MoveTo(kBackground);
  EXPECT_EQ(WaitForOkPicture(L"BtnOKHot.png"), L"BtnOKHot.png");
  ReleaseLeftButton();
  EXPECT_TRUE(IsWindowVisible(FindMonitorWindow()));
  EXPECT_EQ(WindowRect().left, shown.left);

  MoveTo(Centre(kOK));
  PressLeftButton();
  ReleaseLeftButton();
  EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(FindMonitorWindow()); }));
  EXPECT_TRUE(FMonitor->Running());
  // Shown again, with the mouse away: in the same place, as it was the first time, OK no
  // longer pressed.
  MoveMouseTo({0, 0});
  ShowAbout();
  const RECT again = WindowRect();
  EXPECT_EQ(again.left, shown.left);
  EXPECT_EQ(again.top, shown.top);
  EXPECT_EQ(WaitForOkPicture(L"BtnOK.png"), L"BtnOK.png");
  EXPECT_TRUE(Shot().Pixels == first.Pixels);
}

TEST_F(AboutWindowTest, AboutWhileShownBringsTheWindowToTheFrontAgain) {
  StartMonitor();
  ShowAbout();
  // A window of this process over the About window, and active.
  const RECT shown = WindowRect();
  const win32::TUniqueWindow other(CreateWindowExW(0, L"STATIC", L"over the About window", WS_POPUP | WS_VISIBLE,
                                                   shown.left, shown.top, kWidth, kHeight, nullptr, nullptr,
                                                   GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(other);
  SetForegroundWindow(other.Get());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Get(); }));

  ShowAbout();
  EXPECT_TRUE(PumpUntil([] { return GetForegroundWindow() == FindMonitorWindow(); }, 3000));
  EXPECT_EQ(WindowRect().left, shown.left);
}

TEST_F(AboutWindowTest, ADragOnTheBackgroundMovesTheWindowByTheMousesMovement) {
  StartMonitor();
  ShowAbout();
  const RECT before = WindowRect();
  MoveTo(kBackground);
  PressLeftButton();
  const POINT start{before.left + kBackground.x, before.top + kBackground.y};
  for (int step = 1; step <= 4; ++step) MoveMouseTo({start.x + 10 * step, start.y - 7 * step});
  ReleaseLeftButton();
  PumpUntil([&] { return WindowRect().left - before.left == 40; }, 3000);
  const RECT after = WindowRect();
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, -28);
  EXPECT_EQ(after.right - after.left, kWidth);
  EXPECT_TRUE(IsWindowVisible(FindMonitorWindow()));
}

// The ways the mouse is taken away from the About window while its button is down: the scene's
// window told to cancel what it does, and a window of another program brought to the front.
const struct {
  const char* What;
  bool CancelMode;
} kMouseTakenAway[] = {{"cancel mode", true}, {"another program in front", false}};

class TMouseTakenAway {
public:
  explicit TMouseTakenAway(bool cancelMode) {
    if (cancelMode) {
      PostMessageW(FindWindowExW(FindMonitorWindow(), nullptr, L"TvgScene", nullptr), WM_CANCELMODE, 0, 0);
    } else {
      FOther.Reset(CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr));
      SetForegroundWindow(FOther.Get());
    }
    PumpFor(300);
  }

private:
  win32::TUniqueWindow FOther;
};

TEST_F(AboutWindowTest, TheMouseTakenAwayDuringADragEndsTheDrag) {
  StartMonitor();
  ShowAbout();
  for (const auto& way : kMouseTakenAway) {
    SCOPED_TRACE(way.What);
    const RECT before = WindowRect();
    MoveTo(kBackground);
    PressLeftButton();
    const POINT start{before.left + kBackground.x, before.top + kBackground.y};
    MoveMouseTo({start.x + 10, start.y + 10});
    ASSERT_TRUE(PumpUntil([&] { return WindowRect().left == before.left + 10; }, 3000));
    const TMouseTakenAway takenAway(way.CancelMode);
    // Released outside the window, then moved with no button held: the window stays.
    MoveMouseTo({start.x + 300, start.y + 200});
    ReleaseLeftButton();
    const RECT after = WindowRect();
    for (int step = 1; step <= 3; ++step) MoveMouseTo({start.x + 300 - 20 * step, start.y + 200 - 15 * step});
    PumpFor(300);
    EXPECT_EQ(WindowRect().left, after.left);
    EXPECT_EQ(WindowRect().top, after.top);
    ShowAbout();  // in front again for the next way
  }
}

TEST_F(AboutWindowTest, OkHeldWhenTheMouseIsTakenAwayComesBackToItsNormalPictureWithoutAClick) {
  StartMonitor();
  ShowAbout();
  MoveTo(Centre(kOK));
  PressLeftButton();
  ASSERT_EQ(WaitForOkPicture(L"BtnOKDown.png"), L"BtnOKDown.png");
  const TMouseTakenAway takenAway(true);
  EXPECT_EQ(WaitForOkPicture(L"BtnOK.png"), L"BtnOK.png");
  ReleaseLeftButton();
  PumpFor(300);
  EXPECT_TRUE(IsWindowVisible(FindMonitorWindow()));
}

TEST_F(AboutWindowTest, TheWebButtonWithNoBrowserLeavesTheWindowAsItIsAndShowsNoMessage) {
  const TWebHandlers none;
  StartMonitor();
  ShowAbout();
  const RECT before = WindowRect();
  MoveTo(Centre(kGoWeb));
  PressLeftButton();
  ReleaseLeftButton();
  PumpFor(2000);
  EXPECT_TRUE(IsWindowVisible(FindMonitorWindow()));
  const RECT after = WindowRect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_TRUE(MessageBoxesOf(FMonitor->Id()).empty());
  EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(AboutWindowTest, TheWebButtonOpensTheAddressItShowsInTheBrowser) {
  FFolder.Add(L"e2e\\Browser.exe");
  const TWebHandlers browser(FFolder.Path() + L"Browser.exe");
  StartMonitor();
  ShowAbout();
  MoveTo(Centre(kGoWeb));
  PressLeftButton();
  ReleaseLeftButton();
  std::wstring opened;
  PumpUntil([&] { return !(opened = FFolder.ReadText(L"opened.txt")).empty(); }, 5000);
  EXPECT_EQ(opened, L"https://www.example.com/vardel");
}

TEST_F(AboutWindowTest, WithTheStoredLanguageChineseTheTextsAreChinese) {
  StoreLanguage(1);  // ks.local: English, Simplified Chinese, Traditional Chinese
  StartMonitor();
  ShowAbout();
  const TScreenshot shot = Shot();
  EXPECT_GT(TextShown(shot, kLabel1, u"\u8F6F\u786C\u4EF6\u4FE1\u606F\uFF1A", 16, true, 0xFFE0E0E0), 0.95);
  EXPECT_GT(TextShown(shot, kLabel4, u"\u8F6F\u4EF6\u66F4\u65B0\u7F51\u5740\uFF1A", 16, true, 0xFFE0E0E0), 0.95);
  EXPECT_LT(TextShown(shot, kLabel1, u"Hardware & Software Information:", 16, true, 0xFFE0E0E0), 0.5);
  EXPECT_GT(TextShown(shot, kTextWeb, u"https://www.example.com/vardel", 13, false, 0xFFFFFFFF), 0.95);
}

// On a screen of 144 or 192 DPI: the window one and a half or two times as large, drawn as
// the scene renderer draws it at that scale (the golden pictures), and its button and
// background taking the mouse at their places in it.
struct TScreenCase {
  DWORD Dpi;
  const wchar_t* Golden;
};

class ScaledAboutWindowTest : public AboutWindowTest, public ::testing::WithParamInterface<TScreenCase> {};

TEST_P(ScaledAboutWindowTest, TheWindowIsScaledDrawnAsTheSceneRendererDrawsItAndTakesTheMouseAtItsScaledPlaces) {
  const TScreenDpi screen(GetParam().Dpi);
  const float scale = ScaleForDpi(GetParam().Dpi);
  StartMonitor();
  MoveMouseTo({0, 0});
  ShowAbout();
  const int width = ScaledLength(kWidth, scale), height = ScaledLength(kHeight, scale);
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

  ASSERT_EQ(WaitForOkPicture(L"BtnOK.png", scale), L"BtnOK.png");
  const TScreenshot shot = Shot();
  ASSERT_EQ(shot.Width, width);
  TReference golden(width, height);
  golden.Picture(GetParam().Golden);
  std::vector<TvgRect> texts;
  double textArea = 0;
  for (const RECT& text : {kLabel1, kLabel2, kLabel3, kLabel4, kTextWeb, kOKText}) {
    const RECT pixels = Scaled(text, scale);
    texts.push_back({static_cast<float>(pixels.left), static_cast<float>(pixels.top), static_cast<float>(pixels.right),
                     static_cast<float>(pixels.bottom)});
    textArea += (pixels.right - pixels.left) * (pixels.bottom - pixels.top);
  }
  const auto difference = DifferenceFrom(shot, golden, texts);
  EXPECT_LE(difference.OutsideOff, picture_test::kCanvasOutsideAllowed);
  EXPECT_LE(difference.InsideOff, picture_test::kCanvasTextShareAllowed * textArea);

  // Dragged by its background by the mouse's movement.
  const POINT background = Scaled(kBackground, scale);
  MoveTo(background);
  PressLeftButton();
  for (int step = 1; step <= 4; ++step)
    MoveMouseTo({rect.left + background.x + 10 * step, rect.top + background.y - 7 * step});
  ReleaseLeftButton();
  PumpUntil([&] { return WindowRect().left - rect.left == 40; }, 3000);
  EXPECT_EQ(WindowRect().left - rect.left, 40);
  EXPECT_EQ(WindowRect().top - rect.top, -28);

  // The OK button hot under the mouse, pressed while held, and clicked, at its scaled place.
  MoveTo(Centre(Scaled(kOK, scale)));
  EXPECT_EQ(WaitForOkPicture(L"BtnOKHot.png", scale), L"BtnOKHot.png");
  PressLeftButton();
  EXPECT_EQ(WaitForOkPicture(L"BtnOKDown.png", scale), L"BtnOKDown.png");
  ReleaseLeftButton();
  EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(FindMonitorWindow()); }));
  EXPECT_TRUE(FMonitor->Running());
}

INSTANTIATE_TEST_SUITE_P(Screens, ScaledAboutWindowTest,
                         ::testing::Values(TScreenCase{144, L"about-normal-US-150.png"},
                                           TScreenCase{192, L"about-normal-US-200.png"}),
                         [](const auto& info) { return std::to_string(info.param.Dpi) + "Dpi"; });

}  // namespace
}  // namespace vd::e2e
