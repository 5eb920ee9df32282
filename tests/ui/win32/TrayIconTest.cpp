// The tray icon against a stand-in shell: an add the shell refuses is tried again, an icon
// the shell lost is added again, and the picture follows the DPI and the task bar's theme.

#include "ui/win32/TrayIcon.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "tests/ui/win32/StandInShell.h"

namespace vd::win32 {
namespace {

// Handles messages until the condition holds or the time is up; answers the condition.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

// A visible tray icon, tried again every 10 ms, with the shell not ready when it appears.
class TrayIconTest : public ::testing::Test {
protected:
  void SetUp() override {
    FIcon.SetAddRetryInterval(10);
    FIcon.SetHint(u"Mouse");
    FIcon.SetVisible(true);
    TStandInShell::State().Ready = false;
    ProcessMessages();  // the icon appears
    ASSERT_EQ(TStandInShell::Calls(NIM_ADD), 1);
  }

  // Handles messages until the icon has not been tried for 200 ms; answers the tries made.
  static int TriesUntilTheyEnd() {
    const int before = TStandInShell::Calls(NIM_ADD);
    int adds = before;
    DWORD lastTry = GetTickCount();
    while (GetTickCount() - lastTry < 200) {
      PumpFor(10);
      if (TStandInShell::Calls(NIM_ADD) != adds) {
        adds = TStandInShell::Calls(NIM_ADD);
        lastTry = GetTickCount();
      }
    }
    return adds - before;
  }

  platform::TWin32Platform FSystem;
  TStandInShell FShell;
  TTrayIcon FIcon{nullptr};
};

TEST_F(TrayIconTest, AnAddTheShellRefusesIsTriedAgainUntilItTakes) {
  ASSERT_TRUE(PumpUntil([] { return TStandInShell::Calls(NIM_ADD) >= 4; }, 2000));
  // A change is tried at once; refused, it waits for the add, which takes it along.
  FIcon.SetHint(u"Mouse, muted");
  EXPECT_TRUE(TStandInShell::State().Icons.empty());
  TStandInShell::State().Ready = true;
  ASSERT_TRUE(PumpUntil([] { return TStandInShell::Shows(L"Mouse, muted"); }, 2000));
  const int adds = TStandInShell::Calls(NIM_ADD);
  PumpFor(100);
  EXPECT_EQ(TStandInShell::Calls(NIM_ADD), adds);
}

// A refused add is tried 30 times (a minute, 2 s apart); after that the icon comes back when
// the shell announces the task bar, or when a change finds it gone.
TEST_F(TrayIconTest, TriesEndAfterThirtyAndTheIconComesBackWithTheTaskBarOrAChange) {
  const std::pair<const char*, std::function<void(HWND)>> ways[] = {
      {"the task bar announced",
       [](HWND window) { SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); }},
      {"a change", [this](HWND) { FIcon.SetHint(u"Mouse, muted"); }},
  };
  for (const auto& [what, bringBack] : ways) {
    SCOPED_TRACE(what);
    EXPECT_EQ(TriesUntilTheyEnd(), 30);
    TStandInShell::State().Ready = true;
    bringBack(TStandInShell::State().LastWindow);
    EXPECT_EQ(TStandInShell::State().Icons.size(), 1u);
    // The shell goes again, and a change finds the icon gone while it is not back.
    TStandInShell::State().Ready = false;
    TStandInShell::State().Icons.clear();
    FIcon.SetHint(u"Mouse");
  }
}

TEST_F(TrayIconTest, AChangeTheShellRefusesBecauseTheIconIsGoneAddsItAgain) {
  TStandInShell::State().Ready = true;
  ASSERT_TRUE(PumpUntil([] { return TStandInShell::Shows(L"Mouse"); }, 2000));
  TStandInShell::State().Icons.clear();  // the shell restarted without a word
  const int modifies = TStandInShell::Calls(NIM_MODIFY);
  FIcon.SetHint(u"Mouse, muted");
  EXPECT_EQ(TStandInShell::Calls(NIM_MODIFY), modifies + 1);
  EXPECT_TRUE(TStandInShell::Shows(L"Mouse, muted"));
}

TEST_F(TrayIconTest, AnAddReportedRefusedThatTookShowsTheNextChangeAndIsTriedNoMore) {
  TStandInShell::State().Ready = true;
  TStandInShell::State().AddsTimeOut = true;
  ASSERT_TRUE(PumpUntil([] { return TStandInShell::State().Icons.size() == 1; }, 2000));
  FIcon.SetHint(u"Mouse, muted");
  EXPECT_TRUE(TStandInShell::Shows(L"Mouse, muted"));
  const int adds = TStandInShell::Calls(NIM_ADD);
  PumpFor(100);
  EXPECT_EQ(TStandInShell::Calls(NIM_ADD), adds);
}

TEST_F(TrayIconTest, AnIconHiddenWhileItIsTriedIsTriedNoMore) {
  FIcon.SetVisible(false);
  const int adds = TStandInShell::Calls(NIM_ADD);
  PumpFor(100);
  EXPECT_EQ(TStandInShell::Calls(NIM_ADD), adds);
}

// Stands in for the user's task bar theme while it lives.
class TStandInTheme {
public:
  TStandInTheme() : FReplaced(ReplaceTaskbarThemeFunction(&Current)) { Theme() = TTaskbarTheme::Dark; }
  ~TStandInTheme() { ReplaceTaskbarThemeFunction(FReplaced); }
  TStandInTheme(const TStandInTheme&) = delete;
  TStandInTheme& operator=(const TStandInTheme&) = delete;
  static TTaskbarTheme& Theme() {
    static TTaskbarTheme theme = TTaskbarTheme::Dark;
    return theme;
  }

private:
  static TTaskbarTheme Current() { return Theme(); }
  TTaskbarThemeQuery FReplaced;
};

// A picture as the shell gets it: its size and its pixels (top-down, 0xAARRGGBB).
struct TPicture {
  int Size = 0;
  std::vector<std::uint32_t> Pixels;
  bool operator==(const TPicture&) const = default;
};

TPicture PictureOf(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  const TUniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(color.Get(), sizeof bitmap, &bitmap);
  TPicture picture{bitmap.bmWidth,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight)};
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const TWindowDC screen(nullptr);
  GetDIBits(screen.Get(), color.Get(), 0, bitmap.bmHeight, picture.Pixels.data(), &format, DIB_RGB_COLORS);
  return picture;
}

// The program's drawing of that name at that size, as the test loads it.
TPicture Drawing(const std::wstring& name, int size) {
  const TUniqueIcon icon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, size, size, 0)));
  return PictureOf(icon.Get());
}

class TrayIconPictureTest : public ::testing::Test {
protected:
  void SetUp() override {
    FIcon.SetVisible(true);
    ProcessMessages();  // the icon appears
    FWindow = TStandInShell::State().LastWindow;
    ASSERT_NE(FWindow, nullptr);
  }
  TPicture Shown() const { return PictureOf(TStandInShell::State().Pictures[FWindow]); }

  platform::TWin32Platform FSystem;
  TStandInShell FShell;
  TStandInTheme FTheme;
  TTrayIcon FIcon{nullptr};
  HWND FWindow = nullptr;
};

// The shell gets the small-icon size of the DPI its window is on (16 pixels at 96, 24 at 144,
// 32 at 192), drawn for the task bar's theme, which a change of the user's settings switches
// while the icon shows.
TEST_F(TrayIconPictureTest, TheShellGetsTheSmallIconSizeOfTheDpiDrawnForTheTaskBarsTheme) {
  const std::pair<TTaskbarTheme, const wchar_t*> themes[] = {
      {TTaskbarTheme::Dark, L""}, {TTaskbarTheme::Light, L"_LIGHT"}, {TTaskbarTheme::HighContrast, L"_HC"}};
  for (const UINT dpi : {96u, 144u, 192u}) {
    RECT suggested{0, 0, 1, 1};
    SendMessageW(FWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const int size = static_cast<int>(dpi / 6);
    for (const wchar_t* name : {L"MAINICON", L"MUTEDICON"}) {
      FIcon.SetIconName(name);
      for (const auto& [theme, suffix] : themes) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI, " << name << suffix);
        TStandInTheme::Theme() = theme;
        SendMessageW(FWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        const TPicture shown = Shown();
        EXPECT_EQ(shown.Size, size);
        for (const auto& [other, otherSuffix] : themes)
          EXPECT_EQ(shown == Drawing(std::wstring(name) + otherSuffix, size), other == theme) << otherSuffix;
      }
    }
  }
}

// The theme comes from the user's setting, dark without one; high contrast goes before it.
TEST(TaskbarThemeTest, TheUsersSettingSaysLightOrDarkAndHighContrastGoesFirst) {
  const wchar_t* const key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  const std::pair<std::optional<DWORD>, TTaskbarTheme> stored[] = {
      {1, TTaskbarTheme::Light}, {0, TTaskbarTheme::Dark}, {std::nullopt, TTaskbarTheme::Dark}};
  for (const auto& [value, theme] : stored) {
    if (value)
      RegSetKeyValueW(HKEY_CURRENT_USER, key, L"SystemUsesLightTheme", REG_DWORD, &*value, sizeof *value);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"SystemUsesLightTheme");
    EXPECT_EQ(SystemTaskbarTheme(), theme) << (value ? static_cast<int>(*value) : -1);
  }
  EXPECT_EQ(TaskbarThemeOf(true, 1), TTaskbarTheme::HighContrast);
  EXPECT_EQ(TaskbarThemeOf(true, std::nullopt), TTaskbarTheme::HighContrast);
  EXPECT_EQ(TaskbarThemeOf(false, 7), TTaskbarTheme::Light);
}

}  // namespace
}  // namespace vd::win32
