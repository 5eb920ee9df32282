#include "tests/bench/BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "harness/win32/SystemStandIns.h"
#include "platform/win32/Handles.h"

namespace vd::e2e {

namespace {

// Points of the About window: its background picture, and the OK button.
constexpr POINT kPicture{250, 40};
constexpr POINT kOK{255, 338};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Calls `visit` with each numbered subfolder (a process, a thread), with a trailing backslash.
template <class TVisit>
void ForEachNumbered(const std::wstring& folder, const TVisit& visit) {
  WIN32_FIND_DATAW entry{};
  const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name.find_first_not_of(L"0123456789") == std::wstring::npos) visit(folder + name + L"\\");
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// A line "Name:   1234 kB" of /proc/PID/status, in megabytes.
std::optional<double> StatusMB(const std::string& status, const char* name) {
  const std::size_t at = status.find(std::string("\n") + name + ":");
  if (at == std::string::npos) return std::nullopt;
  return std::strtod(status.c_str() + at + std::strlen(name) + 2, nullptr) / 1024.0;
}

}  // namespace

std::string ReadWhole(const std::wstring& path) {
  const win32::TUniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string content;
  if (!file) return content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
  return content;
}

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::optional<double> ShowAbout(HWND monitor) {
  const std::vector<HWND> icons = TrayIconWindows();
  const HWND menu = icons.empty() ? nullptr : OpenTrayMenu(icons.front());
  if (!menu) return std::nullopt;
  for (int i = 0; i < 2; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  const HDC screen = GetDC(nullptr);
  const double start = NowMs();
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  std::optional<double> shown;
  while (!shown && NowMs() - start < 5000) {
    RECT bounds{};
    if (IsWindowVisible(monitor) && GetWindowRect(monitor, &bounds) &&
        (GetPixel(screen, bounds.left + kPicture.x, bounds.top + kPicture.y) & 0xFFFFFF) != 0)
      shown = NowMs() - start;
    else
      Sleep(1);
  }
  ReleaseDC(nullptr, screen);
  return shown;
}

bool PressOK(HWND monitor) {
  RECT bounds{};
  GetWindowRect(monitor, &bounds);
  MoveMouseTo({bounds.left + kOK.x, bounds.top + kOK.y});
  PressLeftButton();
  ReleaseLeftButton();
  MoveMouseTo({0, 0});
  return PumpUntil([monitor] { return !IsWindowVisible(monitor); }, 5000);
}

std::unique_ptr<TProgramFolder> MonitorFolder(const std::wstring& name, const char* who) {
  if (!InstallSystemStandIns()) {
    std::printf("The stand-in system libraries could not be installed (%s under Wine only).\n", who);
    return nullptr;
  }
  ClearProfileStore();
  auto folder = std::make_unique<TProgramFolder>(name);
  folder->Add(L"ksHook.dll");
  folder->Add(L"ks.local");
  return folder;
}

std::optional<TLinuxProcess> TLinuxProcess::Find(const std::wstring& program) {
  const std::string wanted = Narrow(program);
  std::optional<TLinuxProcess> found;
  ForEachNumbered(L"Z:\\proc\\", [&](const std::wstring& folder) {
    if (!found && _stricmp(ReadWhole(folder + L"cmdline").c_str(), wanted.c_str()) == 0) found = TLinuxProcess(folder);
  });
  return found;
}

std::optional<TCpuTime> TLinuxProcess::Cpu() const {
  const std::string stat = ReadWhole(FFolder + L"stat");
  // The fields after the parenthesised name: state is field 3, utime 14 and stime 15.
  const std::size_t end = stat.rfind(')');
  unsigned long long utime = 0, stime = 0;
  if (end == std::string::npos ||
      std::sscanf(stat.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) !=
          2)
    return std::nullopt;
  TCpuTime time{utime + stime, 0};
  ForEachNumbered(FFolder + L"task\\", [&](const std::wstring& thread) {
    time.Nanoseconds += std::strtoull(ReadWhole(thread + L"schedstat").c_str(), nullptr, 10);
  });
  return time;
}

std::optional<TMemory> TLinuxProcess::Memory() const {
  const std::string status = "\n" + ReadWhole(FFolder + L"status");
  const std::optional<double> resident = StatusMB(status, "VmRSS"), anonymous = StatusMB(status, "RssAnon");
  if (!resident || !anonymous) return std::nullopt;
  return TMemory{*resident, *anonymous};
}

}  // namespace vd::e2e
