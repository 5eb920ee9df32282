#pragma once
// What the benchmarks and the soak share: the monitor's folder, a Linux process of the prefix as Linux accounts for
// it (its CPU time and its memory, read through drive Z:, since Wine does not report other
// processes'), a clock in milliseconds, medians, and the monitor's About window opened from
// the tray menu and closed with its OK button.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/win32/Harness.h"

namespace vd::e2e {

// The monitor starts reading the mouse about 3 s after its start; idle is after that.
inline constexpr double kIdleAfterMs = 5000;
// After "OK", the monitor lets the About window's drawing go once it has been hidden 30 s.
inline constexpr DWORD kReleasedAfterMs = 32000;

// A file read to its end; files of /proc report no size, so it is read until nothing comes.
std::string ReadWhole(const std::wstring& path);

double NowMs();
double Median(std::vector<double> values);

struct TCpuTime {
  unsigned long long Ticks = 0;        // user and system time of the whole process, in clock ticks
  unsigned long long Nanoseconds = 0;  // the run time of its threads, finer but blind to ended ones
};

// Memory of a process in megabytes: resident, and of that the private anonymous part (what the
// process allocated for itself, shared with no other).
struct TMemory {
  double ResidentMB = 0;
  double PrivateMB = 0;
};

// "About" from the tray menu: the time from the menu's Return key until the window shows its
// picture on the screen (the monitor hands the first frame to the layered window before it
// shows it); nothing when it did not show within 5 s.
std::optional<double> ShowAbout(HWND monitor);
// The About window's OK button clicked with the mouse; true once the window is hidden.
bool PressOK(HWND monitor);

// The monitor's folder for a driver run: the stand-in system libraries installed, no stored
// profile, the monitor with its hook library and language file. None, said on the output,
// when the stand-ins cannot be installed (`who` runs under Wine only).
std::unique_ptr<TProgramFolder> MonitorFolder(const std::wstring& name, const char* who);

class TLinuxProcess {
public:
  // The Linux process whose command line is the Windows program path given.
  static std::optional<TLinuxProcess> Find(const std::wstring& program);
  std::optional<TCpuTime> Cpu() const;
  std::optional<TMemory> Memory() const;

private:
  explicit TLinuxProcess(std::wstring folder) : FFolder(std::move(folder)) {}

  std::wstring FFolder;  // Z:\proc\PID\ .
};

}  // namespace vd::e2e
