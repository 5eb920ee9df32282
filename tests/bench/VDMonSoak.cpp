// The soak of "make soak": the shipped monitor under Wine, driven for a long while as the
// configurator and the user drive it, in 100 rounds of 100 times "settings changed" (7037),
// 20 times "profile changed" (7035, profiles 0 to 4 in turn) and the About window opened from
// the tray menu and closed with OK. It prints the monitor's private memory and its GDI objects
// at the start, after the first About, every 10 rounds, after the last About and at the end,
// once the About window's drawing has gone; and whether the end's memory is within 2 MB of the
// start's and the GDI objects after the last About are those after the first.

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/win32/Handles.h"
#include "tests/bench/BenchSupport.h"
#include "harness/win32/Harness.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_PROFILE_CHANGED = 7035;
constexpr UINT WM_SETTINGS_CHANGED = 7037;
constexpr int kRounds = 100;
constexpr int kSettingsChangesPerRound = 100;
constexpr int kProfileChangesPerRound = 20;
constexpr int kProfiles = 5;
constexpr double kMemoryGrowthLimitMB = 2;
// Before each reading the monitor is left alone a while, so that it has settled.
constexpr DWORD kSettleMs = 1000;

struct TSample {
  double PrivateMB = 0;
  DWORD GdiObjects = 0;
};

// The monitor's private memory (Linux's account) and its GDI objects (the system's, through
// GetGuiResources; Wine 8 answers 0 for every process).
class TMonitorProbe {
public:
  TMonitorProbe(const std::wstring& program, DWORD processId)
      : FProcess(TLinuxProcess::Find(program)), FHandle(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId)) {}

  bool Found() const { return FProcess && FHandle; }
  std::optional<TSample> Sample() const {
    const std::optional<TMemory> memory = FProcess->Memory();
    if (!memory) return std::nullopt;
    return TSample{memory->PrivateMB, GetGuiResources(FHandle.Get(), GR_GDIOBJECTS)};
  }

private:
  std::optional<TLinuxProcess> FProcess;
  win32::TUniqueHandle FHandle;
};

bool Send(UINT message, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(FindMonitorWindow(), message, 0, lParam, SMTO_NORMAL, 10000, &result) != 0;
}

// One round: the configurator's messages, then About opened and closed.
bool Round(HWND monitor, int& profile) {
  for (int i = 0; i < kSettingsChangesPerRound; ++i)
    if (!Send(WM_SETTINGS_CHANGED, 0)) return std::printf("   \"Settings changed\" was not handled.\n"), false;
  for (int i = 0; i < kProfileChangesPerRound; ++i, profile = (profile + 1) % kProfiles)
    if (!Send(WM_PROFILE_CHANGED, profile)) return std::printf("   \"Profile changed\" was not handled.\n"), false;
  if (!ShowAbout(monitor)) return std::printf("   The About window did not show.\n"), false;
  if (!PressOK(monitor)) return std::printf("   The About window did not hide after OK.\n"), false;
  return true;
}

std::optional<TSample> Print(const TMonitorProbe& probe, const char* when) {
  const std::optional<TSample> sample = probe.Sample();
  if (!sample) {
    std::printf("   %-34s the monitor's memory could not be read\n", when);
    return std::nullopt;
  }
  std::printf("   %-34s %6.1f MB private, %4lu GDI objects\n", when, sample->PrivateMB, sample->GdiObjects);
  return sample;
}

const char* YesNo(bool yes) { return yes ? "yes" : "no"; }

int Run() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::unique_ptr<TProgramFolder> soakFolder = MonitorFolder(L"Soak", "the soak runs");
  if (!soakFolder) return 1;
  const TProgramFolder& folder = *soakFolder;
  TMonitorProcess monitor(folder);
  if (!PumpUntil([] { return FindMonitorWindow() && !TrayIconWindows().empty(); })) {
    std::printf("The monitor did not show its tray icon.\n");
    return 1;
  }
  PumpFor(static_cast<DWORD>(kIdleAfterMs));
  const TMonitorProbe probe(folder.Path() + L"VDMon.exe", monitor.Id());
  if (!probe.Found()) {
    std::printf("The monitor's process was not found.\n");
    return 1;
  }
  const HWND window = FindMonitorWindow();
  std::printf(
      "Soak: %d rounds of %d x \"settings changed\" (7037), %d x \"profile changed\" (7035, profiles 0 to %d in\n"
      "turn) and About from the tray menu closed with OK. The start is read %.0f s after the monitor started,\n"
      "the end %.0f s after the last OK, the others %.0f s after the round.\n",
      kRounds, kSettingsChangesPerRound, kProfileChangesPerRound, kProfiles - 1, kIdleAfterMs / 1000,
      kReleasedAfterMs / 1000.0, kSettleMs / 1000.0);
  const std::optional<TSample> start = Print(probe, "start (idle)");
  std::optional<TSample> firstAbout, lastAbout;
  int profile = 0;
  for (int round = 1; round <= kRounds; ++round) {
    if (!Round(window, profile)) return 1;
    if (round == 1 || round % 10 == 0) PumpFor(kSettleMs);
    if (round == 1) firstAbout = Print(probe, "after the first About");
    if (round % 10 == 0 && round < kRounds) Print(probe, ("after round " + std::to_string(round)).c_str());
    if (round == kRounds) lastAbout = Print(probe, "after the last About");
  }
  PumpFor(kReleasedAfterMs);
  const std::optional<TSample> end = Print(probe, "end (About's drawing gone)");
  PostMessageW(window, WM_CLOSE, 0, 0);
  monitor.WaitForExit();
  if (!start || !firstAbout || !lastAbout || !end) return 1;

  const double growth = end->PrivateMB - start->PrivateMB;
  std::printf("   private memory, end against start: %+.1f MB (within %.0f MB: %s)\n", growth, kMemoryGrowthLimitMB,
              YesNo(growth <= kMemoryGrowthLimitMB));
  // Any program that draws has GDI objects: this one has drawn with GetDC and GetPixel.
  if (firstAbout->GdiObjects == 0 && lastAbout->GdiObjects == 0 &&
      GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0)
    std::printf(
        "   GDI objects: the system reports 0 for every process, this program's own too (Wine does not\n"
        "   count them), so they tell nothing here\n");
  else
    std::printf(
        "   GDI objects against after the first About: %+ld after the last (where they were: %s), %+ld at the\n"
        "   end, with the About window's drawing gone\n",
        static_cast<long>(lastAbout->GdiObjects) - static_cast<long>(firstAbout->GdiObjects),
        YesNo(lastAbout->GdiObjects == firstAbout->GdiObjects),
        static_cast<long>(end->GdiObjects) - static_cast<long>(firstAbout->GdiObjects));
  return 0;
}

}  // namespace
}  // namespace vd::e2e

int wmain() { return vd::e2e::Run(); }
