#pragma once
// The reader of one HID collection: a thread that reads one input report at a time from its
// own overlapped handle and hands each report to the main thread, waiting until it has been
// handled. While a read is in flight it waits alertably on its own stop signal, so an idle
// reader costs no processor time, and a stop is never missed: the signal stays set.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "hid/win32/HidApi.h"
#include "platform/win32/Handles.h"

namespace vd::win32 {

class TksHIDData;

class TksHidDeviceReadThread {
public:
  // Opens the collection and starts reading at once. Started by the component, which
  // outlives it.
  TksHidDeviceReadThread(TksHIDData& AHIDData, std::u16string ADeviceID, std::u16string ADevicePath);
  // Stops the reader and waits until its thread has ended.
  ~TksHidDeviceReadThread();
  TksHidDeviceReadThread(const TksHidDeviceReadThread&) = delete;
  TksHidDeviceReadThread& operator=(const TksHidDeviceReadThread&) = delete;

  // Any thread. The reader ends at its next step: a read in flight is cancelled, and a
  // delivery it waits for is given up (the component may still run it).
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Main thread, on the reader's request: raises the component's OnData for the report that
  // waits for delivery, if one does, then lets the reader go on. An error raised by the
  // handler is shown in the application's error box first.
  void DeliverReport();

  const std::u16string& DeviceID() const { return FDeviceID; }
  const std::u16string& DevicePath() const { return FDevicePath; }

private:
  struct TReadRecord;
  static void CALLBACK ReadCompleted(DWORD error, DWORD count, LPOVERLAPPED overlapped);

  void ReadCapabilities();
  void Execute();
  void ReadReports();
  // Waits for the read to complete; false when the reader was stopped, in which case the
  // read has been cancelled and has completed.
  bool AwaitRead(TReadRecord& record);
  void WaitUntilTerminated();
  // Hands the report to the main thread and waits until it has been handled or the reader
  // is stopped.
  void Synchronize();

  TksHIDData& FHIDData;
  const THidApi& FApi;
  const std::u16string FDeviceID;
  const std::u16string FDevicePath;
  TUniqueFile FDeviceHandle;
  std::uint32_t NumBytesRead = 0;
  std::vector<std::uint8_t> FReport;  // one input report; empty when the capabilities are unknown
  TUniqueHandle FStopEvent;           // manual reset, set once by Terminate
  TUniqueHandle FDelivered;           // auto reset, set by the main thread after a delivery
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FDeliveryPending{false};
  std::thread FThread;
};

}  // namespace vd::win32
