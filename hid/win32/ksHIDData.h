#pragma once
// TksHIDData, the component through which the monitor reaches the mouse's HID collection. It
// holds no device open between calls: HidFindAndReadDevice scans the present HID interfaces
// and starts one reader per matching collection; each reader hands its reports to the main
// thread, where OnData is raised. HidStopRead stops the readers of every component of the
// process. A component frees its readers once their threads have ended, and stops and waits
// for the rest when it is destroyed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"
#include "hid/UsageAndPage.h"
#include "hid/win32/HidApi.h"
#include "hid/win32/ksHidDeviceReadThread.h"

namespace vd::win32 {

// ADeviceID (the device's first hardware ID), ADevicePath, ReportID, Data (the bytes after the
// report ID; valid while the handler runs) and Size.
using TksHIDDataReceived =
    TEvent<const std::u16string&, const std::u16string&, std::uint8_t, const std::uint8_t*, std::uint16_t>;

// Published: FastOnData (default False) and OnData.
class TksHIDData : public TComponent, private IksHidReaderOwner {
public:
  // Binds the system's setup and HID libraries and reads the include list of config.ini.
  explicit TksHIDData(TComponent* AOwner);
  // The same with stand-ins for the libraries.
  TksHIDData(TComponent* AOwner, const THidApi& standIns);
  ~TksHIDData() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Starts a reader for every present collection of that usage pair that the include list
  // admits, beside the readers already running. HIDID is not used. Reports nothing; without
  // the setup and HID libraries it does nothing.
  void HidFindAndReadDevice(USAGE_AND_PAGE UsageAndPage, const std::u16string& HIDID);
  // Stops every reader of the process and returns at once. A report whose delivery a reader
  // has already asked for is still delivered when the message loop runs; readers started
  // afterwards read as usual.
  void HidStopRead();

  // Stored only: reports are delivered on the main thread whatever its value, so that every
  // handler runs there.
  bool FastOnData() const { return FFastOnData; }
  void SetFastOnData(bool value) { FFastOnData = value; }
  const TksHIDDataReceived& OnData() const { return FOnData; }
  void SetOnData(TksHIDDataReceived value) { FOnData = std::move(value); }

  const GUID& HidGuid() const { return FHidGuid; }
  const std::vector<std::u16string>& HidDeviceList() const { return FHidDeviceList; }
  const THidApi& Api() const { return FLibraries->Api(); }
  // Readers not yet freed: running, or ended with their end not yet seen by the main thread.
  int ReaderCount() const { return static_cast<int>(FReaders.size()); }

private:
  struct TReaderSlot {
    std::unique_ptr<TksHidDeviceReadThread> Reader;
    bool Handling = false;  // its report is being handled: it is not freed before that ends
    bool Ended = false;
  };

  TksHIDData(TComponent* AOwner, std::unique_ptr<THidLibraries> libraries);
  void StartReader(const std::u16string& deviceID, const std::u16string& devicePath);

  // Reader threads: each report goes to the main thread in one task, and so does a reader's end.
  bool HandOver(TksHidDeviceReadThread& reader, TksHidReport report) override;
  void ReaderEnded(TksHidDeviceReadThread& reader) override;

  // Main thread, from the dispatcher. A reader that is not one of ours is ignored.
  void HandleReport(const TksHidDeviceReadThread* reader, const TksHidReport& report);
  void HandleReaderEnded(const TksHidDeviceReadThread* reader);
  TReaderSlot* FindSlot(const TksHidDeviceReadThread* reader);
  void FreeReader(const TksHidDeviceReadThread* reader);

  std::unique_ptr<THidLibraries> FLibraries;
  GUID FHidGuid;
  std::vector<std::u16string> FHidDeviceList;
  TksHIDDataReceived FOnData;
  bool FFastOnData = false;
  std::vector<TReaderSlot> FReaders;
};

}  // namespace vd::win32
