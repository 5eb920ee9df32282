#include "harness/win32/StandInMouse.h"

#include <dbt.h>

#include <array>
#include <cstddef>
#include <cstring>

#include "harness/win32/Harness.h"
#include "harness/win32/standins/MouseIdentity.h"

namespace vd::e2e {

namespace {

// Instances waiting for an open at any time: the scan's probe and the reader's own open
// follow each other closely.
constexpr int kListening = 2;

HANDLE NewInstance() {
  return CreateNamedPipeW(kMousePipe, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                          PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 4096, 4096,
                          0, nullptr);
}

// A pipe instance waiting for an open, with its pending connect.
struct TListener {
  win32::TUniqueHandle Pipe;
  win32::TUniqueHandle Event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  OVERLAPPED Overlapped{};
  bool Connected = false;

  bool Listen() {
    HANDLE pipe = NewInstance();
    if (pipe == INVALID_HANDLE_VALUE) return false;
    Pipe.Reset(pipe);
    Overlapped = OVERLAPPED{};
    Overlapped.hEvent = Event.Get();
    ResetEvent(Event.Get());
    Connected = ConnectNamedPipe(pipe, &Overlapped) || GetLastError() == ERROR_PIPE_CONNECTED;
    if (Connected) SetEvent(Event.Get());
    return Connected || GetLastError() == ERROR_IO_PENDING;
  }
  // Ends a pending connect before the pipe and the record go.
  void Abandon() {
    if (!Pipe || Connected) return;
    CancelIo(Pipe.Get());
    DWORD ignored = 0;
    GetOverlappedResult(Pipe.Get(), &Overlapped, &ignored, TRUE);
    Pipe.Reset();
  }
};

bool WriteWhole(HANDLE pipe, HANDLE done, const std::vector<std::uint8_t>& report) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = done;
  DWORD written = 0;
  if (!WriteFile(pipe, report.data(), static_cast<DWORD>(report.size()), nullptr, &overlapped) &&
      GetLastError() != ERROR_IO_PENDING)
    return false;
  return GetOverlappedResult(pipe, &overlapped, &written, TRUE) && written == report.size();
}

}  // namespace

TStandInMouse::TStandInMouse()
    : FStop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), FWritten(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  Plug();
}

TStandInMouse::~TStandInMouse() { Unplug(); }

void TStandInMouse::Plug() {
  if (FServer.joinable()) return;
  ResetEvent(FStop.Get());
  FServer = std::thread([this] { Serve(); });
}

void TStandInMouse::Unplug() {
  if (FServer.joinable()) {
    SetEvent(FStop.Get());
    FServer.join();
  }
  const std::lock_guard<std::mutex> guard(FLock);
  FOpens.clear();
}

void TStandInMouse::Serve() {
  std::array<TListener, kListening> listeners;
  for (TListener& listener : listeners)
    if (!listener.Listen()) return;
  for (;;) {
    HANDLE events[kListening + 1] = {FStop.Get()};
    for (int i = 0; i < kListening; ++i) events[i + 1] = listeners[i].Event.Get();
    const DWORD signalled = WaitForMultipleObjects(kListening + 1, events, FALSE, INFINITE);
    if (signalled == WAIT_OBJECT_0 || signalled >= WAIT_OBJECT_0 + kListening + 1) break;
    TListener& listener = listeners[signalled - WAIT_OBJECT_0 - 1];
    {
      const std::lock_guard<std::mutex> guard(FLock);
      FOpens.push_back(TOpen{std::move(listener.Pipe), GetTickCount()});
      FOpenTimes.push_back(FOpens.back().Tick);
    }
    if (!listener.Listen()) break;
  }
  for (TListener& listener : listeners) listener.Abandon();
}

void TStandInMouse::DropClosedOpens() {
  std::erase_if(FOpens, [](const TOpen& open) {
    return !PeekNamedPipe(open.Pipe.Get(), nullptr, 0, nullptr, nullptr, nullptr) && GetLastError() != ERROR_MORE_DATA;
  });
}

int TStandInMouse::Send(std::vector<std::uint8_t> report) {
  report.resize(kMouseReportLength, 0);
  const std::lock_guard<std::mutex> guard(FLock);
  // An open that the monitor has closed takes nothing, and goes.
  std::erase_if(FOpens, [&](const TOpen& open) { return !WriteWhole(open.Pipe.Get(), FWritten.Get(), report); });
  return static_cast<int>(FOpens.size());
}

std::vector<DWORD> TStandInMouse::OpenTimes() {
  const std::lock_guard<std::mutex> guard(FLock);
  return FOpenTimes;
}

int TStandInMouse::HeldOpens() {
  const std::lock_guard<std::mutex> guard(FLock);
  DropClosedOpens();
  return static_cast<int>(FOpens.size());
}

bool TStandInMouse::WaitForReader(std::size_t opensBefore, DWORD timeoutMs) {
  return PumpUntil([&] { return OpenTimes().size() >= opensBefore + 2 && HeldOpens() == 1; }, timeoutMs);
}

bool SendDeviceArrival(DWORD monitorProcessId) {
  struct {
    DEV_BROADCAST_DEVICEINTERFACE_W Header;
    wchar_t NameRest[MAX_PATH];
  } arrival{};
  const wchar_t name[] =
      L"\\\\?\\HID#VID_F055&PID_5600&MI_01&Col01#1&2d595ca7&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  arrival.Header.dbcc_size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof name;
  arrival.Header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  arrival.Header.dbcc_classguid = GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
  std::memcpy(arrival.Header.dbcc_name, name, sizeof name);
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"TksHIDEventWindow", nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != monitorProcessId) continue;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&arrival),
                               SMTO_ABORTIFHUNG, 5000, &result) != 0;
  }
  return false;
}

}  // namespace vd::e2e
