#pragma once
// The reader of one HID collection: a thread that reads one input report at a time from its
// own overlapped handle and hands a copy of each report to its owner, which has it handled
// on the main thread; the reader waits until then. While a read is in flight it waits
// alertably on its own stop signal, so an idle reader costs no processor time, and a stop is
// never missed: the signal stays set.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "hid/win32/HidApi.h"
#include "platform/win32/Handles.h"

namespace vd::win32 {

class TksHidDeviceReadThread;

// One input report as read: the collection it came from and its bytes, the report ID first.
struct TksHidReport {
  std::u16string DeviceID;
  std::u16string DevicePath;
  std::vector<std::uint8_t> Bytes;
};

// What a reader asks of its owner, from the reader's thread.
class IksHidReaderOwner {
public:
  // Has the report handled on the main thread, which then calls ReportHandled (unless the
  // reader has ended meanwhile); false when the report could not be queued.
  virtual bool HandOver(TksHidDeviceReadThread& reader, TksHidReport report) = 0;
  // The reader's last step: its thread ends.
  virtual void ReaderEnded(TksHidDeviceReadThread& reader) = 0;

protected:
  ~IksHidReaderOwner() = default;
};

class TksHidDeviceReadThread {
public:
  // Opens the collection and starts reading at once. The owner outlives the reader.
  TksHidDeviceReadThread(const THidApi& api, IksHidReaderOwner& owner, std::u16string ADeviceID,
                         std::u16string ADevicePath);
  // Stops the reader and waits until its thread has ended.
  ~TksHidDeviceReadThread();
  TksHidDeviceReadThread(const TksHidDeviceReadThread&) = delete;
  TksHidDeviceReadThread& operator=(const TksHidDeviceReadThread&) = delete;

  // Any thread. The reader ends at its next step: a read in flight is cancelled, and the
  // handling of a report it waits for is no longer waited for (the owner may still run it).
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Main thread: the report handed over has been handled; the reader reads on.
  void ReportHandled();

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
  // Hands the report over and waits until it has been handled or the reader is stopped.
  void Synchronize();

  const THidApi& FApi;
  IksHidReaderOwner& FOwner;
  const std::u16string FDeviceID;
  const std::u16string FDevicePath;
  TUniqueFile FDeviceHandle;
  std::uint32_t NumBytesRead = 0;
  std::vector<std::uint8_t> FReport;  // one input report; empty when the capabilities are unknown
  TUniqueHandle FStopEvent;           // manual reset, set once by Terminate
  TUniqueHandle FHandled;             // auto reset, set by the main thread after a report
  std::atomic<bool> FTerminated{false};
  std::thread FThread;
};

}  // namespace vd::win32
