// The soak of "make soak": the shipped monitor under Wine, driven for a long while as the
// configurator and the user drive it, in 100 rounds of 100 times "settings changed" (7037),
// 20 times "profile changed" (7035, profiles 0 to 4 in turn), 5 presses of the stand-in
// mouse's mute button and 2 profile switches made on the mouse (each with its notice, the
// presses with their cue), and the About window opened from the tray menu and closed with OK.
// It prints the monitor's private memory, its handles (the process's handle table) and its
// GDI objects at the start, after the first round, every 10 rounds and at the end, once the
// drawing of the About window and the notice has gone. It fails when, after the first round,
// the private memory grows by more than 2 MB or the handles by more than 50.

#include <windows.h>
// After windows.h, which it needs.
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "harness/win32/Harness.h"
#include "harness/win32/StandInMouse.h"
#include "harness/win32/SystemStandIns.h"
#include "platform/win32/Handles.h"
#include "tests/bench/BenchSupport.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_PROFILE_CHANGED = 7035;
constexpr UINT WM_SETTINGS_CHANGED = 7037;
constexpr int kRounds = 100;
constexpr int kSettingsChangesPerRound = 100;
constexpr int kProfileChangesPerRound = 20;
constexpr int kMutePressesPerRound = 5;
constexpr int kMouseSwitchesPerRound = 2;
constexpr int kProfiles = 5;
constexpr double kMemoryGrowthLimitMB = 2;
constexpr long kHandleGrowthLimit = 50;
// Before each reading the monitor is left alone a while, so that it has settled.
constexpr DWORD kSettleMs = 1000;

struct TSample {
  double PrivateMB = 0;
  DWORD Handles = 0;
  DWORD GdiObjects = 0;
};

// The handles a process holds, as the system's handle table lists them (Wine answers 0 to a
// process's own handle count); nothing when the table cannot be read.
std::optional<DWORD> HandlesOf(DWORD processId) {
  using TQuery = LONG(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return std::nullopt;
  std::vector<std::uint8_t> table(1 << 20);
  for (ULONG needed = 0;; table.resize(std::max<std::size_t>(needed, table.size() * 2))) {
    const LONG status = query(SystemHandleInformation, table.data(), static_cast<ULONG>(table.size()), &needed);
    if (status == 0) break;
    if (status != static_cast<LONG>(0xC0000004) || table.size() > (64u << 20)) return std::nullopt;  // too small
  }
  const auto* handles = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(table.data());
  DWORD count = 0;
  for (ULONG i = 0; i < handles->Count; ++i) count += handles->Handle[i].OwnerPid == processId;
  return count;
}

// The monitor's private memory (Linux's account), its handles and its GDI objects (the
// system's, through GetGuiResources; Wine 8 answers 0 for every process).
class TMonitorProbe {
public:
  TMonitorProbe(const std::wstring& program, DWORD processId)
      : FProcess(TLinuxProcess::Find(program)),
        FHandle(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId)),
        FProcessId(processId) {}

  bool Found() const { return FProcess && FHandle; }
  std::optional<TSample> Sample() const {
    const std::optional<TMemory> memory = FProcess->Memory();
    const std::optional<DWORD> handles = HandlesOf(FProcessId);
    if (!memory || !handles) return std::nullopt;
    return TSample{memory->PrivateMB, *handles, GetGuiResources(FHandle.Get(), GR_GDIOBJECTS)};
  }

private:
  std::optional<TLinuxProcess> FProcess;
  win32::TUniqueHandle FHandle;
  DWORD FProcessId;
};

bool Send(UINT message, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(FindMonitorWindow(), message, 0, lParam, SMTO_NORMAL, 10000, &result) != 0;
}

std::wstring NoticeText() {
  wchar_t text[64] = {};
  const HWND notice = FindWindowW(L"TVDMonNotice", nullptr);
  if (notice && IsWindowVisible(notice)) GetWindowTextW(notice, text, 64);
  return text;
}

// The mouse's mute button (button 8, given the mute in every profile): the microphone's
// state, its notice and its cue each follow the press.
bool PressMute(TStandInMouse& mouse) {
  const bool muted = !StandInMicrophoneMuted().value_or(true);
  const DWORD cues = StandInSoundsPlayed().Count;
  return mouse.Send({0x07, 0x00, 0x01, 0x00}) == 1 && PumpUntil([&] {
           return StandInMicrophoneMuted() == muted && StandInSoundsPlayed().Count == cues + 1 &&
                  NoticeText() == (muted ? L"Microphone muted" : L"Microphone on");
         });
}

bool SwitchOnTheMouse(TStandInMouse& mouse, int profile) {
  const std::wstring text = L"Profile " + std::to_wstring(profile + 1);
  return mouse.Send({0x08, 0x01, static_cast<std::uint8_t>(profile)}) == 1 &&
         PumpUntil([&] { return StoredProfileId() == static_cast<DWORD>(profile) && NoticeText() == text; });
}

// One round: the configurator's messages, the mouse's presses, then About opened and closed.
bool Round(HWND monitor, TStandInMouse& mouse, int& profile) {
  for (int i = 0; i < kSettingsChangesPerRound; ++i)
    if (!Send(WM_SETTINGS_CHANGED, 0)) return std::printf("   \"Settings changed\" was not handled.\n"), false;
  for (int i = 0; i < kProfileChangesPerRound; ++i, profile = (profile + 1) % kProfiles)
    if (!Send(WM_PROFILE_CHANGED, profile)) return std::printf("   \"Profile changed\" was not handled.\n"), false;
  for (int i = 0; i < kMutePressesPerRound; ++i)
    if (!PressMute(mouse)) return std::printf("   A mute press was not felt.\n"), false;
  for (int i = 0; i < kMouseSwitchesPerRound; ++i, profile = (profile + 1) % kProfiles)
    if (!SwitchOnTheMouse(mouse, profile)) return std::printf("   A switch made on the mouse was not felt.\n"), false;
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
  std::printf("   %-34s %6.1f MB private, %5lu handles, %4lu GDI objects\n", when, sample->PrivateMB, sample->Handles,
              sample->GdiObjects);
  return sample;
}

const char* YesNo(bool yes) { return yes ? "yes" : "no"; }

int Run() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::unique_ptr<TProgramFolder> soakFolder = MonitorFolder(L"Soak", "the soak runs");
  if (!soakFolder) return 1;
  const TProgramFolder& folder = *soakFolder;
  for (int game = 1; game <= kProfiles; ++game) StoreGameProfile(game, {{8, 28}});
  SetStandInMicrophone(false);
  ForgetStandInSounds();
  TStandInMouse mouse;
  TMonitorProcess monitor(folder);
  if (!PumpUntil([] { return FindMonitorWindow() && !TrayIconWindows().empty(); }) || !mouse.WaitForReader()) {
    std::printf("The monitor did not start reading the stand-in mouse.\n");
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
      "turn), %d mute presses and %d profile switches on the stand-in mouse (each with its notice) and About\n"
      "from the tray menu closed with OK. The start is read %.0f s after the monitor started, the end %.0f s\n"
      "after the last round, the others %.0f s after the round.\n",
      kRounds, kSettingsChangesPerRound, kProfileChangesPerRound, kProfiles - 1, kMutePressesPerRound,
      kMouseSwitchesPerRound, kIdleAfterMs / 1000, kReleasedAfterMs / 1000.0, kSettleMs / 1000.0);
  const std::optional<TSample> start = Print(probe, "start (idle)");
  std::optional<TSample> first;
  std::vector<TSample> later;
  int profile = 0;
  for (int round = 1; round <= kRounds; ++round) {
    if (!Round(window, mouse, profile)) return 1;
    if (round == 1 || round % 10 == 0) PumpFor(kSettleMs);
    if (round == 1) first = Print(probe, "after the first round");
    if (round % 10 == 0 && round < kRounds)
      if (const auto sample = Print(probe, ("after round " + std::to_string(round)).c_str())) later.push_back(*sample);
  }
  PumpFor(kReleasedAfterMs);
  const std::optional<TSample> end = Print(probe, "end (the drawing gone)");
  PostMessageW(window, WM_CLOSE, 0, 0);
  monitor.WaitForExit();
  if (!start || !first || !end) return 1;
  later.push_back(*end);

  double memoryGrowth = 0;
  long handleGrowth = 0;
  for (const TSample& sample : later) {
    memoryGrowth = std::max(memoryGrowth, sample.PrivateMB - first->PrivateMB);
    handleGrowth = std::max(handleGrowth, static_cast<long>(sample.Handles) - static_cast<long>(first->Handles));
  }
  const bool memoryHolds = memoryGrowth <= kMemoryGrowthLimitMB, handlesHold = handleGrowth <= kHandleGrowthLimit;
  std::printf(
      "   growth after the first round, the largest of the later readings: %+.1f MB private (within %.0f MB:\n"
      "   %s), %+ld handles (within %ld: %s); the end against the start: %+.1f MB private\n",
      memoryGrowth, kMemoryGrowthLimitMB, YesNo(memoryHolds), handleGrowth, kHandleGrowthLimit, YesNo(handlesHold),
      end->PrivateMB - start->PrivateMB);
  // Any program that draws has GDI objects: this one has drawn with GetDC and GetPixel.
  if (first->GdiObjects == 0 && end->GdiObjects == 0 && GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0)
    std::printf(
        "   GDI objects: the system reports 0 for every process, this program's own too (Wine does not\n"
        "   count them), so they tell nothing here\n");
  else
    std::printf("   GDI objects at the end against after the first round: %+ld\n",
                static_cast<long>(end->GdiObjects) - static_cast<long>(first->GdiObjects));
  if (!memoryHolds || !handlesHold) std::printf("The soak failed: the monitor grows.\n");
  return memoryHolds && handlesHold ? 0 : 1;
}

}  // namespace
}  // namespace vd::e2e

int wmain() { return vd::e2e::Run(); }
