// The tour of "make demo": the shipped monitor started as on a first logon, with the
// stand-in mouse plugged in, a stand-in microphone and a stand-in configurator window; two
// presses of the mouse's microphone-mute button and a profile switch made on the mouse, each
// said by the on-screen notice, the About window opened from the tray menu, its OK button
// under the mouse, pressed and released, and "Exit" from the tray menu. Each step says what it
// does and what came of it, having waited (with a time limit) for what it says to be seen; a
// step that does not see it says so and ends the tour with exit code 1.
//
// Option: --out FOLDER, where the screenshots go (notice-muted.png, notice-on.png,
// notice-profile.png, about.png, about-hot.png, about-pressed.png; the current folder without
// it).
//
// Adding a step: write a function of the tour that answers whether it succeeded, and put it
// in the list in wmain.

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/win32/Harness.h"
#include "harness/win32/Screenshot.h"
#include "harness/win32/StandInConfigurator.h"
#include "harness/win32/StandInMouse.h"
#include "harness/win32/SystemStandIns.h"
#include "harness/win32/standins/MouseIdentity.h"

namespace vd::e2e {
namespace {

constexpr int kMuteButton = 8;
constexpr std::uint16_t kMicrophoneMute = 28;

std::string Utf8(const std::wstring& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

// One line of the tour's output, indented under its step.
void Say(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::printf("   ");
  std::vprintf(format, arguments);
  std::printf("\n");
  std::fflush(stdout);
  va_end(arguments);
}

std::string MessageName(UINT message) {
  switch (message) {
    case 7035:
      return "7035 (profile changed)";
    case 7036:
      return "7036 (monitor exit)";
    case 7037:
      return "7037 (settings changed)";
    case 7040:
      return "7040 (profile switched on the mouse)";
  }
  return std::to_string(message);
}

std::string MicrophoneText() {
  const std::optional<bool> muted = StandInMicrophoneMuted();
  return !muted ? "no capture device" : *muted ? "muted" : "live";
}

std::string ProfileIdText() {
  const std::optional<DWORD> id = StoredProfileId();
  return id ? std::to_string(*id) : "not stored";
}

// Where the OK button of the About window lies in the window.
constexpr POINT kOkButton{255, 338};

// What the steps share: the monitor's folder and process and the stand-ins around it, and
// where the screenshots go.
struct TTour {
  std::wstring OutFolder = L".";
  TProgramFolder Folder{L"Demo"};
  std::unique_ptr<TStandInMouse> Mouse;
  std::unique_ptr<TStandInConfigurator> Configurator;
  std::unique_ptr<TMonitorProcess> Monitor;

  void SayConfiguratorMessages() {
    if (Configurator->Received().empty()) Say("The configurator has received nothing.");
    for (const TReceivedMessage& message : Configurator->Received())
      Say("The configurator received %s, wParam %u, lParam %d, %s.", MessageName(message.Message).c_str(),
          static_cast<unsigned>(message.WParam), static_cast<int>(message.LParam),
          message.Sent ? "sent (the monitor waited)" : "posted");
  }
  // Presses a button of the mouse: report 7 with the button's bit in its 24-bit mask.
  bool PressButton(int button) {
    const std::uint32_t mask = 1u << button;
    return Mouse->Send({0x07, static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(mask >> 8),
                        static_cast<std::uint8_t>(mask >> 16)}) == 1;
  }
};

bool Prepare(TTour& tour) {
  if (!InstallSystemStandIns()) {
    Say("The stand-in system libraries could not be installed (the tour runs under Wine only).");
    return false;
  }
  Say("Stand-in setupapi.dll, hid.dll, mmdevapi.dll and winmm.dll are in the system folder, for VDMon.exe alone.");
  ForgetStandInSounds();
  ClearProfileStore();
  StoreGameProfile(1, {{kMuteButton, kMicrophoneMute}});
  Say("Profile store cleared as on a first start; game profile 1 gives button %d the microphone mute.", kMuteButton);
  SetStandInMicrophone(false);
  Say("Stand-in microphone: %s.", MicrophoneText().c_str());
  tour.Folder.Add(L"ksHook.dll");
  tour.Folder.Add(L"ks.local");
  Say("The monitor, its hook library and ks.local copied to %s.", Utf8(tour.Folder.Path()).c_str());
  tour.Mouse = std::make_unique<TStandInMouse>();
  Say("Stand-in mouse plugged in: its collection reads from %s.", Utf8(kMousePipe).c_str());
  tour.Configurator = std::make_unique<TStandInConfigurator>();
  Say("Stand-in configurator window \"VD_CONFIG_EX\" (class TVDCfgMain) is open.");
  return true;
}

bool StartMonitor(TTour& tour) {
  tour.Monitor = std::make_unique<TMonitorProcess>(tour.Folder);
  if (!PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; })) {
    Say("The monitor's window and tray icon did not come up.");
    return false;
  }
  Say("VDMon.exe runs (process %lu); its hidden window and its tray icon are up.", tour.Monitor->Id());
  Say("ProfileID after the first start: %s.", ProfileIdText().c_str());
  if (!tour.Mouse->WaitForReader()) {
    Say("The monitor did not open the mouse.");
    return false;
  }
  Say("About 3 s after start the monitor opened the mouse's collection and reads it.");
  return true;
}

// Waits until a part of the screen stops changing (two pictures 100 ms apart alike), as after
// a fade; answers the last picture, or nothing when it still changes after 3 s.
std::optional<TScreenshot> StillPicture(const RECT& area) {
  TScreenshot last = CaptureScreen(area);
  std::optional<TScreenshot> still;
  PumpUntil(
      [&] {
        PumpFor(100);
        TScreenshot now = CaptureScreen(area);
        if (now.Pixels == last.Pixels)
          still = std::move(now);
        else
          last = std::move(now);
        return still.has_value();
      },
      3000);
  return still;
}

// Waits until the on-screen notice shows the text (its caption says what it shows) and has
// faded in, then saves a picture of it; says why when there is none.
bool SaveNotice(const TTour& tour, const std::wstring& text, const wchar_t* name) {
  HWND notice = nullptr;
  const auto says = [&] {
    wchar_t caption[256] = {};
    notice = FindWindowW(L"TVDMonNotice", nullptr);
    return notice && IsWindowVisible(notice) && GetWindowTextW(notice, caption, 256) && text == caption;
  };
  if (!PumpUntil(says, 3000)) {
    Say("No notice said \"%s\".", Utf8(text).c_str());
    return false;
  }
  RECT rect{};
  GetWindowRect(notice, &rect);
  const std::optional<TScreenshot> picture = StillPicture(rect);
  if (!picture) {
    Say("The notice saying \"%s\" did not settle.", Utf8(text).c_str());
    return false;
  }
  const std::wstring path = tour.OutFolder + L"\\" + name;
  if (picture->Pixels.empty() || !WritePng(*picture, path)) {
    Say("The screenshot %s could not be saved.", Utf8(path).c_str());
    return false;
  }
  Say("The notice near the bottom of the screen says \"%s\"; its picture is saved as %s.", Utf8(text).c_str(),
      Utf8(path).c_str());
  return true;
}

bool SwitchProfileOnTheMouse(TTour& tour) {
  Say("The mouse sends report 8: 01 02 (switched to profile 2).");
  if (tour.Mouse->Send({0x08, 0x01, 0x02}) != 1 ||
      !PumpUntil([&] { return StoredProfileId() == 2u && tour.Configurator->CountOf(7040) == 1; })) {
    Say("The switch did not arrive: ProfileID %s.", ProfileIdText().c_str());
    return false;
  }
  Say("ProfileID in HKCU\\software\\Vardelngmmouse: %s.", ProfileIdText().c_str());
  tour.SayConfiguratorMessages();
  return SaveNotice(tour, L"Profile 3", L"notice-profile.png");
}

bool PressMuteTwice(TTour& tour) {
  for (const bool expected : {true, false}) {
    Say("The mouse sends report 7 for button %d, which the current profile gives the microphone mute.", kMuteButton);
    if (!tour.PressButton(kMuteButton) || !PumpUntil([&] { return StandInMicrophoneMuted() == expected; })) {
      Say("The microphone did not follow: %s.", MicrophoneText().c_str());
      return false;
    }
    Say("Stand-in microphone: %s.", MicrophoneText().c_str());
    const DWORD cues = expected ? 1 : 2;
    if (!PumpUntil([&] { return StandInSoundsPlayed().Count == cues; }, 3000)) {
      Say("No sound cue was asked for.");
      return false;
    }
    Say("The sound output was asked for the %s cue (two %s tones).", expected ? "muted" : "unmuted",
        expected ? "falling" : "rising");
    if (expected ? !SaveNotice(tour, L"Microphone muted", L"notice-muted.png")
                 : !SaveNotice(tour, L"Microphone on", L"notice-on.png"))
      return false;
  }
  return true;
}

RECT MonitorWindowRect() {
  RECT rect{};
  GetWindowRect(FindMonitorWindow(), &rect);
  return rect;
}

// Saves a screenshot of the screen; answers the file's name, or says why there is none.
bool SaveScreen(const TTour& tour, const wchar_t* name) {
  const std::wstring path = tour.OutFolder + L"\\" + name;
  const TScreenshot screen = CaptureWholeScreen();
  if (screen.Pixels.empty() || !WritePng(screen, path)) {
    Say("The screenshot %s could not be saved.", Utf8(path).c_str());
    return false;
  }
  Say("Screenshot of the %d x %d screen saved as %s.", screen.Width, screen.Height, Utf8(path).c_str());
  return true;
}

// How many pixels of the OK button differ between two screenshots of the screen.
int OkButtonChanges(const TScreenshot& before, const TScreenshot& after) {
  const RECT window = MonitorWindowRect();
  int changed = 0;
  for (int y = window.top + kOkButton.y - 13; y < window.top + kOkButton.y + 14; ++y)
    for (int x = window.left + kOkButton.x - 47; x < window.left + kOkButton.x + 47; ++x)
      changed += before.At(x, y) != after.At(x, y);
  return changed;
}

bool OpenAbout(TTour& tour) {
  const std::vector<HWND> icons = TrayIconWindows();
  if (icons.size() != 1 || !ChooseTrayMenuItem(icons.front(), 1) ||
      !PumpUntil([] { return IsWindowVisible(FindMonitorWindow()) != FALSE; })) {
    Say("The About window did not show.");
    return false;
  }
  const RECT rect = MonitorWindowRect();
  if (!StillPicture(rect)) {
    Say("The About window's picture did not settle.");
    return false;
  }
  const bool layered = GetWindowLongPtrW(FindMonitorWindow(), GWL_EXSTYLE) & WS_EX_LAYERED;
  Say("\"About\" chosen from the tray menu: the window shows at (%ld, %ld), %ld x %ld, on the %d x %d screen, %s.",
      rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, GetSystemMetrics(SM_CXSCREEN),
      GetSystemMetrics(SM_CYSCREEN), layered ? "a layered window (WS_EX_LAYERED)" : "not layered");
  Say("Without a compositor the screen shows its colours unblended: black where the picture is transparent.");
  return SaveScreen(tour, L"about.png");
}

// Waits until OK's pixels differ from those of `before` and then stop changing; answers the
// screen then, or nothing when they did not change within 3 s.
std::optional<TScreenshot> OkButtonChanged(const TScreenshot& before) {
  TScreenshot now;
  if (!PumpUntil([&] { return OkButtonChanges(before, now = CaptureWholeScreen()) > 0; }, 3000)) return std::nullopt;
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return StillPicture(screen);
}

bool HoverAndPressOk(TTour& tour) {
  const RECT window = MonitorWindowRect();
  const TScreenshot before = CaptureWholeScreen();
  MoveMouseTo({window.left + kOkButton.x, window.top + kOkButton.y});
  const std::optional<TScreenshot> hot = OkButtonChanged(before);
  if (!hot) {
    Say("The mouse moved over OK, but OK's picture did not change.");
    return false;
  }
  Say("The mouse moves over OK: %d of its pixels change (its hot picture).", OkButtonChanges(before, *hot));
  if (!SaveScreen(tour, L"about-hot.png")) return false;
  PressLeftButton();
  const std::optional<TScreenshot> pressed = OkButtonChanged(*hot);
  if (!pressed) {
    Say("The left button went down on OK, but OK's picture did not change.");
    return false;
  }
  Say("The left button goes down on OK: %d of its pixels change (its pressed picture).",
      OkButtonChanges(*hot, *pressed));
  return SaveScreen(tour, L"about-pressed.png");
}

bool ReleaseOk(TTour& tour) {
  ReleaseLeftButton();
  if (!PumpUntil([] { return !IsWindowVisible(FindMonitorWindow()); })) {
    Say("The About window is still shown.");
    return false;
  }
  Say("The left button comes up on OK: the About window is hidden.");
  Say("The monitor %s (process %lu); its window is still there for the configurator: %s.",
      tour.Monitor->Running() ? "still runs" : "has ended", tour.Monitor->Id(), FindMonitorWindow() ? "yes" : "no");
  return tour.Monitor->Running();
}

bool ExitFromTheTray(TTour& tour) {
  const std::vector<HWND> icons = TrayIconWindows();
  if (icons.size() != 1 || !ChooseTrayMenuItem(icons.front(), 2)) {
    Say("The tray menu could not be used.");
    return false;
  }
  Say("\"Exit\" chosen from the tray menu; the monitor ended with code %lu.", tour.Monitor->WaitForExit());
  if (!PumpUntil([&] { return tour.Configurator->CountOf(7036) == 1; }, 3000)) {
    Say("The configurator did not receive the exit notice.");
    return false;
  }
  tour.SayConfiguratorMessages();
  Say("ProfileID: %s; microphone: %s.", ProfileIdText().c_str(), MicrophoneText().c_str());
  return true;
}

}  // namespace
}  // namespace vd::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace vd::e2e;
  struct TStep {
    const char* Title;
    bool (*Run)(TTour&);
  };
  const TStep steps[] = {
      {"Prepare a first start with the stand-in mouse, microphone and configurator", Prepare},
      {"Start the monitor", StartMonitor},
      {"Press the microphone-mute button twice", PressMuteTwice},
      {"Switch to profile 2 on the mouse", SwitchProfileOnTheMouse},
      {"Open About from the tray menu", OpenAbout},
      {"Move the mouse over OK and press it", HoverAndPressOk},
      {"Release OK", ReleaseOk},
      {"Exit from the tray menu", ExitFromTheTray},
  };
  TTour tour;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"--out") tour.OutFolder = argv[++i];
  int number = 0;
  for (const TStep& step : steps) {
    std::printf("%d. %s\n", ++number, step.Title);
    std::fflush(stdout);
    if (!step.Run(tour)) {
      std::printf("The tour stopped at step %d.\n", number);
      return 1;
    }
  }
  std::printf("The tour is complete.\n");
  return 0;
}
