#include "tests/bench/FeedbackBench.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "harness/win32/Screenshot.h"
#include "harness/win32/SystemStandIns.h"
#include "harness/win32/standins/MicrophoneIdentity.h"
#include "harness/win32/standins/SoundIdentity.h"
#include "platform/win32/Handles.h"
#include "tests/bench/BenchSupport.h"

namespace vd::e2e {

namespace {

constexpr DWORD kPressTimeoutMs = 3000;
// Shown 1.5 s with its fades, the notice's drawing goes 30 s after it hides.
constexpr double kNoticeCycleMs = 34000;
constexpr wchar_t kMonitorKey[] = L"software\\Vardelngmmouse\\Monitor";

// Wakes on every change of a registry key's values.
class TKeyWatch {
public:
  explicit TKeyWatch(const wchar_t* path) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_NOTIFY | KEY_QUERY_VALUE, nullptr, &key, nullptr);
    FKey = win32::TUniqueRegKey(key);
  }
  void Arm() {
    ResetEvent(FChanged.Get());
    RegNotifyChangeKeyValue(FKey.Get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, FChanged.Get(), TRUE);
  }
  bool Changed(DWORD waitMs = 0) const { return WaitForSingleObject(FChanged.Get(), waitMs) == WAIT_OBJECT_0; }

private:
  win32::TUniqueRegKey FKey;
  win32::TUniqueHandle FChanged{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

HWND NoticeWindow() { return FindWindowW(L"TVDMonNotice", nullptr); }
bool NoticeShown() { return IsWindowVisible(NoticeWindow()) != FALSE; }

TScreenshot TrayPicture() {
  const std::vector<HWND> icons = TrayIconWindows();
  RECT area{};
  if (icons.size() != 1 || !GetWindowRect(icons.front(), &area)) return {};
  return CaptureScreen(area);
}

struct TPress {
  std::optional<double> Microphone, Tray, Notice, Cue;
};

TPress Press(TStandInMouse& mouse, TKeyWatch& microphone, TKeyWatch& sounds) {
  TPress press;
  const TScreenshot trayBefore = TrayPicture();
  microphone.Arm();
  sounds.Arm();
  const double start = NowMs();
  if (mouse.Send({0x07, 0x00, 0x01, 0x00}) != 1) return press;  // button 8
  const auto mark = [&](std::optional<double>& at, bool happened) {
    if (!at && happened) at = NowMs() - start;
  };
  while ((!press.Microphone || !press.Tray || !press.Notice || !press.Cue) && NowMs() - start < kPressTimeoutMs) {
    mark(press.Microphone, microphone.Changed());
    mark(press.Cue, sounds.Changed());
    mark(press.Notice, NoticeShown());
    if (!press.Tray) mark(press.Tray, TrayPicture().Pixels != trayBefore.Pixels);
    PumpFor(0);
  }
  return press;
}

struct TFigure {
  const char* What;
  std::vector<double> Samples;
};

double Percentile95(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[(values.size() * 95 + 99) / 100 - 1];
}

}  // namespace

bool RunFeedbackBench(TStandInMouse& mouse, int presses, double echoMs) {
  TKeyWatch microphone(kMicrophoneKey), sounds(kSoundKey);
  TFigure figures[] = {{"(a) microphone state changed:", {}},
                       {"(b) tray icon changed on screen:", {}},
                       {"(c) notice visible:", {}},
                       {"(d) sound cue asked for:", {}}};
  std::vector<double> slowest;
  for (int i = 0; i < presses; ++i) {
    // Each press shows the notice anew: the one before has gone.
    PumpUntil([] { return !NoticeShown(); }, 5000);
    const TPress press = Press(mouse, microphone, sounds);
    const std::optional<double>* felt[] = {&press.Microphone, &press.Tray, &press.Notice, &press.Cue};
    for (int f = 0; f < 4; ++f) {
      if (!*felt[f])
        return std::printf("   Press %d: %s not within %lu ms.\n", i + 1, figures[f].What, kPressTimeoutMs), false;
      figures[f].Samples.push_back(**felt[f]);
    }
    slowest.push_back(std::max({*press.Tray, *press.Notice, *press.Cue}));
  }
  for (const TFigure& figure : figures)
    std::printf("   %-40s median %7.2f ms, 95th percentile %7.2f ms\n", figure.What, Median(figure.Samples),
                Percentile95(figure.Samples));
  std::printf("   %-40s median %7.2f ms, 95th percentile %7.2f ms (target: median within 50 ms)\n",
              "feedback (the slowest of b, c, d):", Median(slowest), Percentile95(slowest));
  std::printf("   ratio feedback / pipe echo (medians):    %8.1f\n", Median(slowest) / echoMs);
  return true;
}

void ShowNotices(bool shown) {
  const DWORD off = 0;
  if (shown)
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kMonitorKey, L"ShowNotifications");
  else
    RegSetKeyValueW(HKEY_CURRENT_USER, kMonitorKey, L"ShowNotifications", REG_DWORD, &off, sizeof off);
}

bool RunNoticeCycleBench(TStandInMouse& mouse) {
  ShowNotices(true);
  TKeyWatch store(kStoreKey);
  std::vector<double> delays;
  // Each switch is to another profile than the one stored: a value written unchanged may wake
  // no one.
  const DWORD first = StoredProfileId().value_or(0) + 1;
  const double start = NowMs();
  for (int i = 0; NowMs() - start < kNoticeCycleMs; ++i) {
    const double due = start + 100.0 * i;
    while (NowMs() < due) PumpFor(1);
    const auto profile = static_cast<std::uint8_t>((first + i) % 5);
    store.Arm();
    const double sent = NowMs();
    if (mouse.Send({0x08, 0x01, profile}) != 1) return false;
    while (!store.Changed(kPressTimeoutMs) || StoredProfileId() != profile) {
      if (NowMs() - sent > kPressTimeoutMs) return std::printf("   Report %d was not handled.\n", i + 1), false;
      store.Arm();
    }
    delays.push_back(NowMs() - sent);
    // The first switch showed the notice; the later ones show none, so that one cycle is seen.
    if (i == 0) ShowNotices(false);
  }
  ShowNotices(true);
  std::printf("   %-40s largest %7.2f ms, median %7.2f ms over %zu reports (target: largest within 20 ms)\n",
              "report to ProfileID through a notice:", *std::max_element(delays.begin(), delays.end()), Median(delays),
              delays.size());
  return true;
}

}  // namespace vd::e2e
