#include "hid/win32/ksHidDeviceReadThread.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Strings.h"
#include "hid/MouseReport.h"
#include "hid/ReportReading.h"
#include "platform/EventLog.h"
#include "platform/Platform.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/SystemError.h"

namespace vd::win32 {

// The read record lives in the thread body's frame; its completion routine marks it done.
struct TksHidDeviceReadThread::TReadRecord {
  OVERLAPPED Overlapped{};
  bool Completed = false;
};

void CALLBACK TksHidDeviceReadThread::ReadCompleted(DWORD, DWORD, LPOVERLAPPED overlapped) {
  // The record begins with its OVERLAPPED.
  reinterpret_cast<TReadRecord*>(overlapped)->Completed = true;
}

namespace {

TUniqueHandle NewEvent(bool manualReset) {
  TUniqueHandle event(CreateEventW(nullptr, manualReset, FALSE, nullptr));
  if (!event) RaiseLastOSError(u"CreateEvent");
  return event;
}

}  // namespace

TksHidDeviceReadThread::TksHidDeviceReadThread(const THidApi& api, IksHidReaderOwner& owner, std::u16string ADeviceID,
                                               std::u16string ADevicePath)
    : FApi(api),
      FOwner(owner),
      FDeviceID(std::move(ADeviceID)),
      FDevicePath(std::move(ADevicePath)),
      FDeviceHandle(FApi.CreateFileW(W(FDevicePath), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr)),
      FStopEvent(NewEvent(true)),
      FHandled(NewEvent(false)) {
  if (FDeviceHandle) platform::LogEvent(u"Mouse opened: " + FDeviceID);
  ReadCapabilities();
  FThread = std::thread([this] { Execute(); });
}

TksHidDeviceReadThread::~TksHidDeviceReadThread() {
  Terminate();
  if (FThread.joinable()) FThread.join();
}

void TksHidDeviceReadThread::Terminate() {
  FTerminated = true;
  SetEvent(FStopEvent.Get());
}

void TksHidDeviceReadThread::ReadCapabilities() {
  PHIDP_PREPARSED_DATA data = nullptr;
  if (!FDeviceHandle || !FApi.HidD_GetPreparsedData(FDeviceHandle.Get(), &data)) return;
  const TPreparsedData owner(FApi, data);
  HIDP_CAPS caps{};
  if (FApi.HidP_GetCaps(data, &caps) != HIDP_STATUS_SUCCESS) return;
  // The input report length includes the report ID byte: one read gets exactly one report.
  FReport.assign(caps.InputReportByteLength, 0);
}

void TksHidDeviceReadThread::Execute() {
  try {
    ReadReports();
  } catch (...) {
    // Nothing leaves the thread; the only thing that can fail here is the debug trace.
  }
  FDeviceHandle = TUniqueFile();
  FOwner.ReaderEnded(*this);
}

void TksHidDeviceReadThread::ReadReports() {
  // A collection that did not open has nothing to read; one without input reports has
  // nothing either, but its reader stays until it is stopped.
  if (!FDeviceHandle) return;
  if (FReport.empty()) return WaitUntilTerminated();
  TReadRecord record;
  while (!Terminated()) {
    record = TReadRecord();
    std::fill(FReport.begin(), FReport.end(), 0);
    if (!ReadFileEx(FDeviceHandle.Get(), FReport.data(), static_cast<DWORD>(FReport.size()), &record.Overlapped,
                    ReadCompleted)) {
      // A read that cannot be issued for a passing reason is not retried in a loop.
      if (!DeviceIsGone(GetLastError())) WaitUntilTerminated();
      return;
    }
    if (!AwaitRead(record)) return;
    DWORD count = 0;
    const bool succeeded = GetOverlappedResult(FDeviceHandle.Get(), &record.Overlapped, &count, FALSE);
    const std::uint32_t error = succeeded ? 0 : GetLastError();
    NumBytesRead = count;
    switch (OutcomeOfCompletedRead(succeeded, error, count)) {
      case TReadCompletion::Deliver:
        Synchronize();
        break;
      case TReadCompletion::ReadAgain:
        break;
      case TReadCompletion::DeviceGone:
        platform::LogEvent(u"Mouse gone: " + FDeviceID);
        platform::Platform().UI->DebugOutput(u"ERROR_DEVICE_NOT_CONNECTED++++++++++++++++");
        return;
    }
  }
}

bool TksHidDeviceReadThread::AwaitRead(TReadRecord& record) {
  // An alertable wait returns when the completion routine has run or the stop is set.
  while (!record.Completed && !Terminated()) WaitForSingleObjectEx(FStopEvent.Get(), INFINITE, TRUE);
  if (!record.Completed) {
    // The buffer and the record must outlive the read: cancel it and wait for its completion.
    CancelIo(FDeviceHandle.Get());
    while (!record.Completed) SleepEx(INFINITE, TRUE);
  }
  // A stop wins over a report that arrived with it.
  return !Terminated();
}

void TksHidDeviceReadThread::WaitUntilTerminated() {
  while (!Terminated()) WaitForSingleObject(FStopEvent.Get(), INFINITE);
}

void TksHidDeviceReadThread::Synchronize() {
  const auto report = ViewOfReport(FReport.data(), FReport.size(), NumBytesRead);
  if (!report) return;
  TksHidReport copy{FDeviceID, FDevicePath, {}};
  copy.Bytes.push_back(report->ReportID);
  copy.Bytes.insert(copy.Bytes.end(), report->Data, report->Data + report->Size);
  if (!FOwner.HandOver(*this, std::move(copy))) return;
  const HANDLE events[] = {FHandled.Get(), FStopEvent.Get()};
  WaitForMultipleObjects(2, events, FALSE, INFINITE);
}

void TksHidDeviceReadThread::ReportHandled() { SetEvent(FHandled.Get()); }

}  // namespace vd::win32
