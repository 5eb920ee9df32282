#include "tests/hid/win32/HidTestSupport.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>

#include "base/Strings.h"
#include "core/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/Window.h"

namespace vd::win32::test {

namespace {

TStandInHid* gHid = nullptr;
std::map<HANDLE, std::size_t> gOpenDevices;  // device index of each open handle
const HDEVINFO kDeviceSet = reinterpret_cast<HDEVINFO>(0x5E7);
// Unlike the system's class, so that a test sees where the class came from.
constexpr GUID kStandInClass = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

TStandInDevice* DeviceOfHandle(HANDLE handle) {
  const auto it = gOpenDevices.find(handle);
  return it == gOpenDevices.end() ? nullptr : &gHid->Devices[it->second];
}

HDEVINFO WINAPI GetClassDevs(const GUID* classGuid, PCWSTR enumerator, HWND window, DWORD flags) {
  ++gHid->ClassQueries;
  gHid->QueriedClass = *classGuid;
  gHid->QueryFlags = flags;
  return gHid->ClassQueryFails || enumerator || window ? INVALID_HANDLE_VALUE : kDeviceSet;
}

BOOL WINAPI EnumInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID*, DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  if (set != kDeviceSet || data->cbSize != sizeof *data || index >= gHid->Devices.size()) return FALSE;
  data->Reserved = index;
  return TRUE;
}

BOOL WINAPI GetInterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                               DWORD size, PDWORD required, PSP_DEVINFO_DATA device) {
  const TStandInDevice& d = gHid->Devices.at(data->Reserved);
  const DWORD needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (d.Path.size() + 1) * sizeof(WCHAR);
  if (!detail) {
    if (device && device->cbSize == sizeof *device) device->Reserved = data->Reserved;
    *required = d.SizeQueryFails ? 0 : needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (d.DetailFails || detail->cbSize != sizeof *detail || size < needed) return FALSE;
  std::memcpy(detail->DevicePath, d.Path.c_str(), (d.Path.size() + 1) * sizeof(WCHAR));
  return TRUE;
}

BOOL WINAPI GetRegistryProperty(HDEVINFO, PSP_DEVINFO_DATA device, DWORD property, PDWORD, PBYTE buffer, DWORD size,
                                PDWORD) {
  const TStandInDevice& d = gHid->Devices.at(device->Reserved);
  auto* units = reinterpret_cast<char16_t*>(buffer);
  // Filling exactly the size given shows whether the size is the buffer's.
  if (d.PropertyFillsBuffer) std::fill_n(units, size / sizeof(char16_t), u'X');
  const DWORD bytes = (d.HardwareIds.size() + 1) * sizeof(char16_t);
  if (property != SPDRP_HARDWAREID || d.PropertyFillsBuffer || size < bytes) return FALSE;
  std::memcpy(units, d.HardwareIds.c_str(), bytes);
  return TRUE;
}

BOOL WINAPI DestroyDeviceSet(HDEVINFO set) {
  gHid->SetsDestroyed += set == kDeviceSet;
  return TRUE;
}

HANDLE WINAPI OpenDevice(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD flags,
                         HANDLE) {
  const std::u16string name = U(path);
  gHid->Opens.emplace_back(name, flags);
  const auto device =
      std::find_if(gHid->Devices.begin(), gHid->Devices.end(), [&](const TStandInDevice& d) { return d.Path == name; });
  if (device == gHid->Devices.end() || device->OpenFails ||
      (device->ReaderOpenFails && flags == FILE_FLAG_OVERLAPPED) || access != (GENERIC_READ | GENERIC_WRITE) ||
      share != (FILE_SHARE_READ | FILE_SHARE_WRITE) || disposition != OPEN_EXISTING)
    return INVALID_HANDLE_VALUE;
  HANDLE handle = nullptr;
  if (name.starts_with(u"\\\\.\\pipe\\")) {
    HANDLE server = CreateNamedPipeW(path, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    handle = ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
    ConnectNamedPipe(server, nullptr);
    device->Connections.push_back(TPipeConnection{flags, server});
  } else {
    handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  gOpenDevices[handle] = static_cast<std::size_t>(device - gHid->Devices.begin());
  return handle;
}

void WINAPI GetHidGuid(LPGUID guid) { *guid = kStandInClass; }

BOOLEAN WINAPI GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) {
  const TStandInDevice* d = DeviceOfHandle(handle);
  return d && !d->AttributesFail && attributes->Size == sizeof *attributes;
}

BOOLEAN WINAPI GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) {
  const auto it = gOpenDevices.find(handle);
  if (it == gOpenDevices.end() || gHid->Devices[it->second].PreparsedDataFails) return FALSE;
  *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(it->second + 1);
  ++gHid->PreparsedDataOutstanding;
  return TRUE;
}

BOOLEAN WINAPI FreePreparsedData(PHIDP_PREPARSED_DATA) {
  --gHid->PreparsedDataOutstanding;
  return TRUE;
}

NTSTATUS WINAPI GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
  const TStandInDevice& d = gHid->Devices.at(reinterpret_cast<std::size_t>(data) - 1);
  if (d.CapsFail) return HIDP_STATUS_INVALID_PREPARSED_DATA;
  caps->UsagePage = d.UsagePage;
  caps->Usage = d.Usage;
  caps->InputReportByteLength = d.InputReportLength;
  return HIDP_STATUS_SUCCESS;
}

}  // namespace

HANDLE TStandInDevice::ReaderServer() const {
  for (auto it = Connections.rbegin(); it != Connections.rend(); ++it)
    if (it->Flags == FILE_FLAG_OVERLAPPED) return it->Server;
  return nullptr;
}

TStandInHid::TStandInHid() {
  gHid = this;
  gOpenDevices.clear();
}

TStandInHid::~TStandInHid() {
  for (TStandInDevice& device : Devices) Unplug(device);
  gHid = nullptr;
}

THidApi TStandInHid::Api() const {
  THidApi api;
  api.SetupDiGetClassDevsW = GetClassDevs;
  api.SetupDiEnumDeviceInterfaces = EnumInterfaces;
  api.SetupDiGetDeviceInterfaceDetailW = GetInterfaceDetail;
  api.SetupDiGetDeviceRegistryPropertyW = GetRegistryProperty;
  api.SetupDiDestroyDeviceInfoList = DestroyDeviceSet;
  api.HidD_GetHidGuid = GetHidGuid;
  api.HidD_GetAttributes = GetAttributes;
  api.HidD_GetPreparsedData = GetPreparsedData;
  api.HidD_FreePreparsedData = FreePreparsedData;
  api.HidP_GetCaps = GetCaps;
  api.CreateFileW = OpenDevice;
  return api;
}

TStandInDevice& TStandInHid::AddDevice(const std::u16string& path, const std::u16string& hardwareIds) {
  TStandInDevice& device = Devices.emplace_back();
  device.Path = path;
  device.HardwareIds = hardwareIds;
  return device;
}

TStandInDevice& TStandInHid::AddPipeDevice(const std::u16string& hardwareIds) {
  static int counter = 0;
  return AddDevice(u"\\\\.\\pipe\\vd-hid-" + IntToStr(GetCurrentProcessId()) + u"-" + IntToStr(++counter), hardwareIds);
}

void TStandInHid::Unplug(TStandInDevice& device) {
  for (TPipeConnection& connection : device.Connections) CloseHandle(std::exchange(connection.Server, nullptr));
}

std::u16string MultiString(std::initializer_list<std::u16string_view> strings) {
  std::u16string property;
  for (std::u16string_view s : strings) (property += s) += u'\0';
  return property;
}

bool WriteReport(HANDLE server, const std::vector<std::uint8_t>& report) {
  DWORD written = 0;
  return WriteFile(server, report.data(), static_cast<DWORD>(report.size()), &written, nullptr) &&
         written == report.size();
}

TTestPlatform::TTestPlatform()
    : FScope(platform::TPlatform{&FRegistry, &FFiles, &FIni, &FLocale, &FClock, &FLibraries, &FUI}) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  FFiles.Folder = U(temp) + u"vd-hid-" + IntToStr(GetCurrentProcessId()) + u"\\";
  CreateDirectoryW(W(FFiles.Folder), nullptr);
  // As the program does: errors that escape a window's handler get the error box.
  SetWindowErrorHandler([] { Application().HandleException(); });
}

TTestPlatform::~TTestPlatform() {
  SetWindowErrorHandler(nullptr);
  RemoveDirectoryW(W(FFiles.Folder));
}

std::vector<std::u16string> TTestPlatform::MessageBoxTexts() {
  const std::lock_guard<std::mutex> guard(FUI.Lock);
  return FUI.Boxes;
}

bool TTestPlatform::Traced(std::u16string_view text) {
  const std::lock_guard<std::mutex> guard(FUI.Lock);
  return std::find(FUI.Traces.begin(), FUI.Traces.end(), text) != FUI.Traces.end();
}

int TTestPlatform::TUserInterface::ShowMessageBox(std::u16string_view text, std::u16string_view, std::uint32_t) {
  const std::lock_guard<std::mutex> guard(Lock);
  Boxes.emplace_back(text);
  return IDOK;
}

void TTestPlatform::TUserInterface::DebugOutput(std::u16string_view text) {
  const std::lock_guard<std::mutex> guard(Lock);
  Traces.emplace_back(text);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount(); !condition(); ProcessMessages()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

}  // namespace vd::win32::test
