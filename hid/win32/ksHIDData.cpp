#include "hid/win32/ksHIDData.h"

#include <algorithm>

#include "core/Application.h"
#include "hid/HardwareIds.h"
#include "hid/win32/CollectionScan.h"
#include "hid/win32/HidInterfaceClass.h"
#include "platform/Platform.h"
#include "platform/win32/MainThreadDispatcher.h"

namespace vd::win32 {

namespace {

// The components of the process, for HidStopRead. Main thread only.
std::vector<TksHIDData*>& ProcessComponents() {
  static std::vector<TksHIDData*> components;
  return components;
}

}  // namespace

TksHIDData::TksHIDData(TComponent* AOwner) : TksHIDData(AOwner, std::make_unique<THidLibraries>()) {}

TksHIDData::TksHIDData(TComponent* AOwner, const THidApi& standIns)
    : TksHIDData(AOwner, std::make_unique<THidLibraries>(standIns)) {}

TksHIDData::TksHIDData(TComponent* AOwner, std::unique_ptr<THidLibraries> libraries)
    : TComponent(AOwner),
      FLibraries(std::move(libraries)),
      FHidGuid(kHidInterfaceClass),
      FHidDeviceList(ReadIncludeHidDeviceList()) {
  // Made here, on the main thread, before any reader posts to it.
  TMainThreadDispatcher::Instance();
  const THidApi& api = Api();
  if (api.HidBound()) api.HidD_GetHidGuid(&FHidGuid);
  if (!api.SetupBound() || !api.HidBound())
    platform::Platform().UI->DebugOutput(u"HID devices cannot be read: setupapi.dll or hid.dll could not be bound");
  ProcessComponents().push_back(this);
}

TksHIDData::~TksHIDData() {
  auto& components = ProcessComponents();
  components.erase(std::remove(components.begin(), components.end(), this), components.end());
  // All are told first, so that they end side by side; freeing each waits for its thread.
  for (TReaderSlot& slot : FReaders) slot.Reader->Terminate();
  FReaders.clear();
  // Requests still queued go unanswered.
  TMainThreadDispatcher::Instance().Cancel(this);
}

const TClassInfo& TksHIDData::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TksHIDData>(u"TksHIDData", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Boolean(u"FastOnData", &TksHIDData::FastOnData, &TksHIDData::SetFastOnData)
                                     .Default(false)
                                     .Event(u"OnData", &TksHIDData::OnData, &TksHIDData::SetOnData)
                                     .Build();
  return info;
}

void TksHIDData::HidFindAndReadDevice(USAGE_AND_PAGE UsageAndPage, const std::u16string&) {
  const THidApi& api = Api();
  if (!api.SetupBound() || !api.HidBound()) return;
  ScanCollections(api, FHidGuid, FHidDeviceList, UsageAndPage,
                  [this](const std::u16string& devicePath, const std::vector<std::u16string>& hardwareIds) {
                    StartReader(hardwareIds.empty() ? std::u16string() : hardwareIds.front(), devicePath);
                  });
}

void TksHIDData::HidStopRead() {
  for (TksHIDData* component : ProcessComponents())
    for (TReaderSlot& slot : component->FReaders) slot.Reader->Terminate();
}

void TksHIDData::StartReader(const std::u16string& deviceID, const std::u16string& devicePath) {
  try {
    auto reader =
        std::make_unique<TksHidDeviceReadThread>(Api(), static_cast<IksHidReaderOwner&>(*this), deviceID, devicePath);
    FReaders.push_back(TReaderSlot{std::move(reader)});
  } catch (const std::exception& error) {
    // The scan goes on with the other collections.
    platform::Platform().UI->DebugOutput(u"No HID reader for " + devicePath + u": " + FromUtf8(error.what()));
  }
}

bool TksHIDData::HandOver(TksHidDeviceReadThread& reader, TksHidReport report) {
  return TMainThreadDispatcher::Instance().Post(
      this, [this, reader = &reader, report = std::move(report)] { HandleReport(reader, report); });
}

void TksHIDData::ReaderEnded(TksHidDeviceReadThread& reader) {
  TMainThreadDispatcher::Instance().Post(this, [this, reader = &reader] { HandleReaderEnded(reader); });
}

void TksHIDData::HandleReport(const TksHidDeviceReadThread* reader, const TksHidReport& report) {
  TReaderSlot* slot = FindSlot(reader);
  if (!slot || slot->Handling) return;
  slot->Handling = true;
  // An error raised by the handler is shown in the application's error box; the reader goes on.
  RunReportingErrors([&] {
    FOnData(report.DeviceID, report.DevicePath, report.Bytes.front(), report.Bytes.data() + 1,
            static_cast<std::uint16_t>(report.Bytes.size() - 1));
  });
  // The handler may have started readers, which moves the slots, or let messages run that
  // ended this one.
  slot = FindSlot(reader);
  slot->Handling = false;
  if (slot->Ended)
    FreeReader(reader);
  else
    slot->Reader->ReportHandled();
}

void TksHIDData::HandleReaderEnded(const TksHidDeviceReadThread* reader) {
  TReaderSlot* slot = FindSlot(reader);
  if (!slot) return;
  slot->Ended = true;
  if (!slot->Handling) FreeReader(reader);
}

TksHIDData::TReaderSlot* TksHIDData::FindSlot(const TksHidDeviceReadThread* reader) {
  const auto it = std::find_if(FReaders.begin(), FReaders.end(),
                               [reader](const TReaderSlot& slot) { return slot.Reader.get() == reader; });
  return it == FReaders.end() ? nullptr : &*it;
}

void TksHIDData::FreeReader(const TksHidDeviceReadThread* reader) {
  std::erase_if(FReaders, [reader](const TReaderSlot& slot) { return slot.Reader.get() == reader; });
}

}  // namespace vd::win32
