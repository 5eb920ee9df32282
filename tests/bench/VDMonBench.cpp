// The benchmarks of "make bench", on the shipped monitor with the stand-in mouse of the
// end-to-end tests:
//
// 1. Idle CPU: the monitor, reading the stand-in mouse and otherwise left alone, against the
//    smallest resident tray program started the same way, each over the same time. A reader that
//    polled would show here.
// 2. Latency: a profile-switch report written into the mouse's pipe until the monitor has
//    stored ProfileID (the registry's change notification wakes the benchmark), against a
//    round trip through a named pipe to an echoing process. Medians of many samples.
// 3. Drawing: the About window's drawing pass against one GDI+ draw of its background picture
//    into the same buffer, measured by AboutDrawBench.exe (tests/bench/AboutDrawBench.cpp),
//    which creates the monitor window in its own process.
// 4. A light resident (tests/bench/ResidentBench.cpp): start to window and memory against
//    the smallest resident tray program, and the About window's first frame.
// 5. Mute feedback (tests/bench/FeedbackBench.cpp): a mute press of the stand-in mouse to the
//    microphone's state, the tray icon, the notice and the sound cue, against the pipe echo.
//
// Options: --seconds N (idle time measured per program, 60), --samples N (latency samples,
// 200), --presses N (mute presses, 50), --clock-ticks N (the Linux clock ticks per second,
// 100).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "harness/win32/Harness.h"
#include "harness/win32/StandInMouse.h"
#include "harness/win32/SystemStandIns.h"
#include "platform/win32/Handles.h"
#include "tests/bench/BenchSupport.h"
#include "tests/bench/FeedbackBench.h"
#include "tests/bench/ResidentBench.h"

namespace vd::e2e {
namespace {

constexpr wchar_t kEchoPipe[] = L"\\\\.\\pipe\\VardelBenchEcho";
constexpr int kWarmUpSamples = 10;
constexpr DWORD kSettleMs = 2000;

struct TOptions {
  int Seconds = 60;
  int Samples = 200;
  int Presses = 50;
  int ClockTicks = 100;
};

// The CPU time a program of the folder uses while it is left alone for the time measured, in
// milliseconds by each clock.
struct TIdleCpu {
  double TickMs;
  double ScheduledMs;
};

std::optional<TIdleCpu> IdleCpu(const std::wstring& program, const TOptions& options) {
  std::optional<TLinuxProcess> process;
  PumpUntil([&] { return (process = TLinuxProcess::Find(program)).has_value(); }, 5000);
  if (!process) return std::nullopt;
  PumpFor(kSettleMs);
  const std::optional<TCpuTime> before = process->Cpu();
  PumpFor(static_cast<DWORD>(options.Seconds) * 1000);
  const std::optional<TCpuTime> after = process->Cpu();
  if (!before || !after) return std::nullopt;
  return TIdleCpu{static_cast<double>(after->Ticks - before->Ticks) * 1000.0 / options.ClockTicks,
                  static_cast<double>(after->Nanoseconds - before->Nanoseconds) / 1e6};
}

// Report written into the mouse's pipe → ProfileID stored, per sample.
std::vector<double> ReportLatencies(TStandInMouse& mouse, const TOptions& options) {
  std::vector<double> latencies;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_NOTIFY | KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return latencies;
  const win32::TUniqueRegKey key(opened);
  const win32::TUniqueHandle changed(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  for (int i = 0; i < kWarmUpSamples + options.Samples; ++i) {
    const auto profile = static_cast<std::uint8_t>((i + 1) % 5);
    // Each sample starts when the monitor's main thread has finished with the one before (the
    // switch's announcement after the store); else a sample would time that too.
    DWORD_PTR unused = 0;
    SendMessageTimeoutW(FindMonitorWindow(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &unused);
    RegNotifyChangeKeyValue(key.Get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.Get(), TRUE);
    const double start = NowMs();
    if (mouse.Send({0x08, 0x01, profile}) != 1 || WaitForSingleObject(changed.Get(), 5000) != WAIT_OBJECT_0) return {};
    const double end = NowMs();
    if (StoredProfileId() != profile) return {};
    if (i >= kWarmUpSamples) latencies.push_back(end - start);
  }
  return latencies;
}

// Echoes what comes through the benchmark's pipe until the pipe closes.
int ServeEcho() {
  HANDLE pipe = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 100 && pipe == INVALID_HANDLE_VALUE; ++tries) {
    WaitNamedPipeW(kEchoPipe, 100);
    pipe = CreateFileW(kEchoPipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  const win32::TUniqueFile echo(pipe);
  if (!echo) return 1;
  std::uint8_t message[64];
  DWORD read = 0, written = 0;
  while (ReadFile(echo.Get(), message, sizeof message, &read, nullptr) &&
         WriteFile(echo.Get(), message, read, &written, nullptr)) {
  }
  return 0;
}

// A report-sized message through a named pipe to an echoing process of its own and back.
std::vector<double> EchoRoundTrips(const TOptions& options) {
  std::vector<double> roundTrips;
  const win32::TUniqueFile server(CreateNamedPipeW(
      kEchoPipe, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 64, 64, 0, nullptr));
  if (!server) return roundTrips;
  std::wstring commandLine = L"\"" + BuildFolder() + L"VDMonBench.exe\" --echo";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION echo{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &startup, &echo))
    return roundTrips;
  const win32::TUniqueHandle echoProcess(echo.hProcess), echoThread(echo.hThread);
  if (!ConnectNamedPipe(server.Get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return roundTrips;
  const std::uint8_t report[8] = {0x08, 0x01, 0x02};
  std::uint8_t answer[64];
  for (int i = 0; i < kWarmUpSamples + options.Samples; ++i) {
    DWORD written = 0, read = 0;
    const double start = NowMs();
    if (!WriteFile(server.Get(), report, sizeof report, &written, nullptr) ||
        !ReadFile(server.Get(), answer, sizeof answer, &read, nullptr) || read != sizeof report)
      return {};
    const double end = NowMs();
    if (i >= kWarmUpSamples) roundTrips.push_back(end - start);
  }
  DisconnectNamedPipe(server.Get());
  WaitForSingleObject(echoProcess.Get(), 5000);
  return roundTrips;
}

// The machine's load averages over 1, 5 and 15 minutes, as Linux gives them.
std::string MachineLoad() {
  const std::string load = ReadWhole(L"Z:\\proc\\loadavg");
  std::size_t end = 0;
  for (int field = 0; field < 3 && end != std::string::npos; ++field) end = load.find(' ', end + (field > 0));
  return end == std::string::npos ? "unknown" : load.substr(0, end);
}

void PrintMachine() {
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  std::string model = "unknown";
  const std::string cpuinfo = ReadWhole(L"Z:\\proc\\cpuinfo");
  if (const std::size_t at = cpuinfo.find("model name"); at != std::string::npos) {
    const std::size_t colon = cpuinfo.find(':', at);
    model = cpuinfo.substr(colon + 2, cpuinfo.find('\n', colon) - colon - 2);
  }
  using TWineVersion = const char*(__cdecl*)();
  const auto wineVersion = reinterpret_cast<TWineVersion>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
  std::printf("Machine: %lu processors, %s; Wine %s; the %d-bit build.\n", system.dwNumberOfProcessors, model.c_str(),
              wineVersion ? wineVersion() : "(not Wine)", static_cast<int>(sizeof(void*) * 8));
}

// Runs a program of the folder and prints what it prints, indented; answers its exit code.
DWORD RunAndRelay(const TProgramFolder& folder, const std::wstring& program) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return 1;
  const win32::TUniqueHandle reader(readEnd);
  win32::TUniqueHandle writer(writeEnd);
  SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writer.Get();
  std::wstring commandLine = L"\"" + folder.Path() + program + L"\"";
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.Path().c_str(), &startup,
                      &info))
    return 1;
  const win32::TUniqueHandle process(info.hProcess), thread(info.hThread);
  // Only the program holds the writing end now, so reading ends when it does.
  writer.Reset();
  std::string line;
  char buffer[512];
  DWORD read = 0;
  while (ReadFile(reader.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    for (DWORD i = 0; i < read; ++i) {
      if (buffer[i] == '\r') continue;
      if (buffer[i] != '\n') {
        line += buffer[i];
        continue;
      }
      std::printf("   %s\n", line.c_str());
      line.clear();
    }
  WaitForSingleObject(process.Get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

void PrintCpu(const char* what, const TIdleCpu& cpu, const TOptions& options) {
  std::printf("   %-38s %6.0f ms in ticks, %9.3f ms scheduled (%.4f %% of one processor)\n", what, cpu.TickMs,
              cpu.ScheduledMs, cpu.ScheduledMs / (options.Seconds * 10.0));
}

int Run(const TOptions& options) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  PrintMachine();
  const std::unique_ptr<TProgramFolder> benchFolder = MonitorFolder(L"Bench", "the benchmarks run");
  if (!benchFolder) return 1;
  TProgramFolder& folder = *benchFolder;
  folder.Add(L"bench\\IdleWindow.exe");

  // The pipe echo first: the latencies of the second and the fifth benchmark are set against it.
  const std::vector<double> roundTrips = EchoRoundTrips(options);
  if (roundTrips.empty()) return std::printf("The named-pipe echo failed.\n"), 1;
  const double echo = Median(roundTrips);

  // Button 8 of the first game profile mutes the stand-in microphone, live at first.
  StoreGameProfile(1, {{8, 28}});
  SetStandInMicrophone(false);
  TStandInMouse mouse;
  std::optional<TIdleCpu> monitorCpu;
  std::vector<double> latencies;
  {
    TMonitorProcess monitor(folder);
    if (!PumpUntil([] { return FindMonitorWindow() != nullptr; }) || !mouse.WaitForReader()) {
      std::printf("The monitor did not start reading the stand-in mouse.\n");
      return 1;
    }
    std::printf("1. Idle CPU over %d s: the Linux process's time in %d ms ticks, and its threads' run time\n",
                options.Seconds, 1000 / options.ClockTicks);
    monitorCpu = IdleCpu(folder.Path() + L"VDMon.exe", options);
    if (!monitorCpu) return std::printf("   The monitor's process was not found under Z:\\proc.\n"), 1;
    PrintCpu("monitor, stand-in mouse open:", *monitorCpu, options);
    // The report's path alone: with notices on, a sample would wait for the notice of the one
    // before it to be drawn; what a notice does to the path is the notice-cycle figure.
    ShowNotices(false);
    latencies = ReportLatencies(mouse, options);
    ShowNotices(true);
    std::printf("5. Mute feedback over %d presses, from the report written by the stand-in mouse\n", options.Presses);
    if (!RunFeedbackBench(mouse, options.Presses, echo) || !RunNoticeCycleBench(mouse)) return 1;
    PostMessageW(FindMonitorWindow(), WM_CLOSE, 0, 0);
    monitor.WaitForExit();
  }
  {
    TMonitorProcess idle(folder, L"C:\\", L"IdleWindow.exe");
    if (!PumpUntil([] { return FindWindowW(L"VdIdleWindow", nullptr) != nullptr; })) return 1;
    const std::optional<TIdleCpu> idleCpu = IdleCpu(folder.Path() + L"IdleWindow.exe", options);
    PostMessageW(FindWindowW(L"VdIdleWindow", nullptr), WM_CLOSE, 0, 0);
    idle.WaitForExit();
    if (!idleCpu) return std::printf("   The tray program's process was not found under Z:\\proc.\n"), 1;
    PrintCpu("tray program, started alike:", *idleCpu, options);
    if (idleCpu->ScheduledMs > 0)
      std::printf("   ratio monitor / tray program (run time): %8.2f\n",
                  monitorCpu->ScheduledMs / idleCpu->ScheduledMs);
    else if (monitorCpu->ScheduledMs > 0)
      std::printf("   ratio monitor / tray program: the tray program ran not at all, the monitor did\n");
    else
      std::printf("   ratio monitor / tray program: equal, neither ran at all\n");
  }

  std::printf("2. Report to ProfileID against a named-pipe echo, notices off, medians of %d samples (load %s)\n",
              options.Samples,
              MachineLoad().c_str());
  if (latencies.empty()) return std::printf("   A sample failed.\n"), 1;
  const double latency = Median(latencies);
  std::printf("   %-40s %8.3f ms\n", "report written to ProfileID stored:", latency);
  std::printf("   %-40s %8.3f ms\n", "named-pipe echo round trip:", echo);
  std::printf("   ratio report / echo:                     %8.2f\n", latency / echo);

  std::printf("3. The About window's drawing pass against one GDI+ draw of its background picture\n");
  folder.Add(L"bench\\AboutDrawBench.exe");
  // The monitor window it creates sets up the microphone through Wine's Core Audio, which
  // fills the transcript with the sound system's complaints; drawing needs none of it, so
  // Core Audio is switched off for that program (a per-program library override of Wine's).
  const wchar_t disabled[] = L"";
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\AboutDrawBench.exe\\DllOverrides", L"mmdevapi",
                  REG_SZ, disabled, sizeof disabled);
  if (RunAndRelay(folder, L"AboutDrawBench.exe") != 0) return 1;
  return RunResidentBench(folder) ? 0 : 1;
}

}  // namespace
}  // namespace vd::e2e

int wmain(int argc, wchar_t** argv) {
  vd::e2e::TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--echo") return vd::e2e::ServeEcho();
    if (i + 1 >= argc) break;
    const int value = _wtoi(argv[++i]);
    if (value <= 0) continue;
    if (option == L"--seconds") options.Seconds = value;
    if (option == L"--samples") options.Samples = value;
    if (option == L"--presses") options.Presses = value;
    if (option == L"--clock-ticks") options.ClockTicks = value;
  }
  return vd::e2e::Run(options);
}
