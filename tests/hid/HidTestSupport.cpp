#include "tests/hid/HidTestSupport.h"

#include <cstddef>
#include <cstring>
#include <map>

#include "core/Strings.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"

namespace vd::win32::test {

namespace {

TStandInHid* gHid = nullptr;
const HDEVINFO kDeviceSet = reinterpret_cast<HDEVINFO>(0x5E7);
// What the stand-in HID library gives as the interface class, unlike the system's.
constexpr GUID kStandInClass = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
std::map<HANDLE, std::size_t> gOpenDevices;

bool IsPipePath(const std::u16string& path) { return path.rfind(u"\\\\.\\pipe\\", 0) == 0; }

// The index of the device that the handle was opened on, or -1.
std::ptrdiff_t DeviceOfHandle(HANDLE handle) {
  const auto it = gOpenDevices.find(handle);
  return it == gOpenDevices.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
}

HDEVINFO WINAPI GetClassDevs(const GUID* classGuid, PCWSTR enumerator, HWND window, DWORD flags) {
  ++gHid->ClassQueries;
  gHid->QueriedClass = *classGuid;
  gHid->QueryFlags = flags;
  if (gHid->ClassQueryFails || enumerator || window) return INVALID_HANDLE_VALUE;
  return kDeviceSet;
}

BOOL WINAPI EnumInterfaces(HDEVINFO set, PSP_DEVINFO_DATA device, const GUID*, DWORD index,
                           PSP_DEVICE_INTERFACE_DATA data) {
  if (set != kDeviceSet || device || data->cbSize != sizeof *data || index >= gHid->Devices.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  data->Reserved = index;
  return TRUE;
}

BOOL WINAPI GetInterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                               DWORD size, PDWORD required, PSP_DEVINFO_DATA device) {
  const TStandInDevice& d = gHid->Devices.at(data->Reserved);
  const DWORD needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (d.Path.size() + 1) * sizeof(WCHAR);
  if (!detail) {
    if (device) {
      if (device->cbSize != sizeof *device) return FALSE;
      device->Reserved = data->Reserved;
    }
    if (required) *required = d.SizeQueryGivesNoSize ? 0 : needed;
    SetLastError(d.SizeQueryFails ? ERROR_INVALID_DATA : ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (d.DetailFails || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || size < needed) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  std::memcpy(detail->DevicePath, d.Path.c_str(), (d.Path.size() + 1) * sizeof(WCHAR));
  return TRUE;
}

BOOL WINAPI GetRegistryProperty(HDEVINFO, PSP_DEVINFO_DATA device, DWORD property, PDWORD type, PBYTE buffer,
                                DWORD size, PDWORD required) {
  const TStandInDevice& d = gHid->Devices.at(device->Reserved);
  if (property != SPDRP_HARDWAREID || d.PropertyFails) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  auto* units = reinterpret_cast<char16_t*>(buffer);
  if (d.PropertyFillsBuffer) {
    std::fill_n(units, size / sizeof(char16_t), u'X');
    return TRUE;
  }
  const DWORD bytes = (d.HardwareIds.size() + 1) * sizeof(char16_t);
  if (required) *required = bytes;
  if (size < bytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(units, d.HardwareIds.c_str(), bytes);
  if (type) *type = REG_MULTI_SZ;
  return TRUE;
}

BOOL WINAPI DestroyDeviceSet(HDEVINFO set) {
  if (set == kDeviceSet) ++gHid->SetsDestroyed;
  return TRUE;
}

HANDLE WINAPI OpenDevice(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flags, HANDLE templateFile) {
  const std::u16string name = U(path);
  gHid->Opens.push_back(TOpenCall{name, access, share, disposition, flags});
  std::size_t index = 0;
  while (index < gHid->Devices.size() && gHid->Devices[index].Path != name) ++index;
  if (index == gHid->Devices.size() || gHid->Devices[index].OpenFails ||
      (gHid->Devices[index].ReaderOpenFails && flags == FILE_FLAG_OVERLAPPED)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  TStandInDevice& device = gHid->Devices[index];
  HANDLE handle = nullptr;
  if (IsPipePath(name)) {
    // Each open gets an instance of its own, so the test knows which server end feeds it.
    HANDLE server = CreateNamedPipeW(path, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    handle = ::CreateFileW(path, access, share, security, disposition, flags, templateFile);
    if (handle == INVALID_HANDLE_VALUE) {
      CloseHandle(server);
      return handle;
    }
    ConnectNamedPipe(server, nullptr);
    device.Connections.push_back(TPipeConnection{flags, server, handle});
  } else {
    handle = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  gOpenDevices[handle] = index;
  return handle;
}

void WINAPI GetHidGuid(LPGUID guid) { *guid = kStandInClass; }

BOOLEAN WINAPI GetAttributes(HANDLE handle, PHIDD_ATTRIBUTES attributes) {
  const std::ptrdiff_t index = DeviceOfHandle(handle);
  if (index < 0 || gHid->Devices[index].AttributesFail || attributes->Size != sizeof *attributes) return FALSE;
  attributes->VendorID = 0x1D57;
  attributes->ProductID = 0xFA60;
  return TRUE;
}

BOOLEAN WINAPI GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) {
  const std::ptrdiff_t index = DeviceOfHandle(handle);
  if (index < 0 || gHid->Devices[index].PreparsedDataFails) return FALSE;
  *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(static_cast<std::uintptr_t>(index) + 1);
  ++gHid->PreparsedDataOutstanding;
  return TRUE;
}

BOOLEAN WINAPI FreePreparsedData(PHIDP_PREPARSED_DATA) {
  --gHid->PreparsedDataOutstanding;
  return TRUE;
}

NTSTATUS WINAPI GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
  const TStandInDevice& d = gHid->Devices.at(reinterpret_cast<std::uintptr_t>(data) - 1);
  if (d.CapsFail) return HIDP_STATUS_INVALID_PREPARSED_DATA;
  caps->UsagePage = d.UsagePage;
  caps->Usage = d.Usage;
  caps->InputReportByteLength = d.InputReportLength;
  caps->OutputReportByteLength = 65;
  return HIDP_STATUS_SUCCESS;
}

}  // namespace

const TPipeConnection* TStandInDevice::ReaderConnection() const {
  for (auto it = Connections.rbegin(); it != Connections.rend(); ++it)
    if (it->Flags == FILE_FLAG_OVERLAPPED) return &*it;
  return nullptr;
}

TStandInHid::TStandInHid() {
  gHid = this;
  gOpenDevices.clear();
}

TStandInHid::~TStandInHid() {
  for (TStandInDevice& device : Devices) Unplug(device);
  gHid = nullptr;
  gOpenDevices.clear();
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

TStandInDevice& TStandInHid::AddPipeDevice(const std::u16string& hardwareIds) {
  static int counter = 0;
  return AddDevice(u"\\\\.\\pipe\\vd-hid-" + IntToStr(GetCurrentProcessId()) + u"-" + IntToStr(++counter), hardwareIds);
}

TStandInDevice& TStandInHid::AddDevice(const std::u16string& path, const std::u16string& hardwareIds) {
  TStandInDevice& device = Devices.emplace_back();
  device.Path = path;
  device.HardwareIds = hardwareIds;
  return device;
}

void TStandInHid::Unplug(TStandInDevice& device) {
  for (TPipeConnection& connection : device.Connections) {
    if (connection.Server) CloseHandle(connection.Server);
    connection.Server = nullptr;
  }
}

std::u16string MultiString(std::initializer_list<std::u16string_view> strings) {
  std::u16string property;
  for (std::u16string_view s : strings) (property += s) += u'\0';
  return property;
}

bool WriteReport(HANDLE server, const std::vector<std::uint8_t>& report) {
  DWORD written = 0;
  return server && WriteFile(server, report.data(), static_cast<DWORD>(report.size()), &written, nullptr) &&
         written == report.size();
}

TTestPlatform::TTestPlatform()
    : FScope(platform::TPlatform{&FRegistry, &FFiles, &FIni, &FLocale, &FClock, &FLibraries, &FUI}) {
  static int counter = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  FFiles.Folder = U(temp) + u"vd-hid-" + IntToStr(GetCurrentProcessId()) + u"-" + IntToStr(++counter) + u"\\";
  CreateDirectoryW(W(FFiles.Folder), nullptr);
}

TTestPlatform::~TTestPlatform() {
  DeleteFileW(W(FFiles.Folder + u"config.ini"));
  RemoveDirectoryW(W(FFiles.Folder));
}

void TTestPlatform::WriteConfigIni(const std::string& content) {
  const std::u16string path = FFiles.Folder + u"config.ini";
  TUniqueFile file(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::vector<std::u16string> TTestPlatform::MessageBoxTexts() {
  const std::lock_guard<std::mutex> guard(FUI.Lock);
  return FUI.Boxes;
}

std::vector<std::u16string> TTestPlatform::DebugOutput() {
  const std::lock_guard<std::mutex> guard(FUI.Lock);
  return FUI.Traces;
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
  const DWORD start = GetTickCount();
  for (;;) {
    ProcessMessages();
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

}  // namespace vd::win32::test
