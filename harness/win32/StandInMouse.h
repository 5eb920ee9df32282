#pragma once
// The test's side of the stand-in mouse: it serves the mouse's named pipe, so that the
// monitor, through the stand-in setup and HID libraries, opens the pipe as the mouse's
// collection, and writes reports into every open. Unplugging closes the pipe; plugging it in
// again serves it anew, and an arrival sent to the monitor's device-change listener makes
// the monitor look for it.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win32/Handles.h"

namespace vd::e2e {

class TStandInMouse {
public:
  // Plugged in.
  TStandInMouse();
  // Unplugged.
  ~TStandInMouse();
  // Holds a serving thread and the pipe instances it accepted.
  TStandInMouse(const TStandInMouse&) = delete;
  TStandInMouse& operator=(const TStandInMouse&) = delete;

  void Plug();
  // Closes every open of the mouse and serves no more.
  void Unplug();

  // Writes one report (its ID byte, then its data, padded with zeros to the report length)
  // into every open of the mouse; answers how many opens took it.
  int Send(std::vector<std::uint8_t> report);
  // The tick counts at which the mouse was opened, in order.
  std::vector<DWORD> OpenTimes();
  // Opens still held by the monitor.
  int HeldOpens();
  // Waits until the monitor, after the first `opensBefore` opens of the mouse, has opened it
  // for reading (the scan's probe, closed again, then the reader's own open) and holds that
  // open alone. Counted from opens the caller saw before the scan was due, so that a scan
  // done before the wait began, on a slow machine, is not waited for in vain.
  bool WaitForReader(std::size_t opensBefore = 0, DWORD timeoutMs = 10000);

private:
  struct TOpen {
    win32::TUniqueHandle Pipe;
    DWORD Tick;
  };
  void Serve();
  void DropClosedOpens();  // FLock held

  win32::TUniqueHandle FStop;
  win32::TUniqueHandle FWritten;  // completes Send's writes
  std::thread FServer;
  std::mutex FLock;
  std::vector<TOpen> FOpens;
  std::vector<DWORD> FOpenTimes;
};

// Sends the monitor's device-change listener an arrival of a HID interface, as the system
// does when a device is plugged in. False when the process has no listener.
bool SendDeviceArrival(DWORD monitorProcessId);

}  // namespace vd::e2e
