#include "hid/win32/CollectionScan.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "hid/HardwareIds.h"
#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

namespace {

static_assert(sizeof(void*) != 4 || (sizeof(SP_DEVICE_INTERFACE_DATA) == 28 && sizeof(SP_DEVINFO_DATA) == 28 &&
                                     sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == 6),
              "the setup records have the sizes a 32-bit process passes");

// The hardware-ID property is read into a buffer of this many UTF-16 units.
constexpr DWORD kRegistryStringUnits = 16384;

class TDeviceInfoSet {
public:
  TDeviceInfoSet(const THidApi& api, HDEVINFO set) : FApi(api), FSet(set) {}
  ~TDeviceInfoSet() { FApi.SetupDiDestroyDeviceInfoList(FSet); }
  TDeviceInfoSet(const TDeviceInfoSet&) = delete;
  TDeviceInfoSet& operator=(const TDeviceInfoSet&) = delete;
  HDEVINFO Get() const { return FSet; }

private:
  const THidApi& FApi;
  HDEVINFO FSet;
};

std::vector<std::u16string> GetDeviceRegistryStrings(const THidApi& api, HDEVINFO set, SP_DEVINFO_DATA& device,
                                                     DWORD property) {
  std::vector<char16_t> buffer(kRegistryStringUnits, u'\0');
  // A failure leaves the buffer empty, and so the list.
  api.SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr, reinterpret_cast<PBYTE>(buffer.data()),
                                        kRegistryStringUnits * sizeof(char16_t), nullptr);
  return SplitMultiString(buffer.data(), buffer.size());
}

// The device path of an interface, read from a detail block of `size` bytes.
std::optional<std::u16string> GetDevicePath(const THidApi& api, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& deviceInterface,
                                            DWORD size) {
  constexpr std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
  if (size <= pathOffset) return std::nullopt;
  // DWORD units keep the block aligned for its size field.
  std::vector<DWORD> block((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!api.SetupDiGetDeviceInterfaceDetailW(set, &deviceInterface, detail, size, nullptr, nullptr)) return std::nullopt;
  // The path ends at its terminator or at the end of the block, whichever comes first.
  const auto* path = reinterpret_cast<const char16_t*>(reinterpret_cast<const std::byte*>(block.data()) + pathOffset);
  const std::size_t capacity = (size - pathOffset) / sizeof(char16_t);
  return std::u16string(path, std::find(path, path + capacity, u'\0'));
}

bool CollectionMatches(const THidApi& api, HANDLE device, USAGE_AND_PAGE wanted) {
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  // Vendor, product and version are not compared: the include list selects devices.
  if (!api.HidD_GetAttributes(device, &attributes)) return false;
  PHIDP_PREPARSED_DATA data = nullptr;
  if (!api.HidD_GetPreparsedData(device, &data)) return false;
  const TPreparsedData owner(api, data);
  HIDP_CAPS caps{};
  return api.HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS && caps.UsagePage == wanted.UsagePage &&
         caps.Usage == wanted.Usage;
}

struct TCollectionFound {
  std::u16string DevicePath;
  std::vector<std::u16string> HardwareIds;
};

std::optional<TCollectionFound> ExamineInterface(const THidApi& api, HDEVINFO set,
                                                 SP_DEVICE_INTERFACE_DATA& deviceInterface,
                                                 const std::vector<std::u16string>& includeList,
                                                 USAGE_AND_PAGE wanted) {
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  DWORD required = 0;
  api.SetupDiGetDeviceInterfaceDetailW(set, &deviceInterface, nullptr, 0, &required, &device);
  if (required == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;

  std::vector<std::u16string> hardwareIds = GetDeviceRegistryStrings(api, set, device, SPDRP_HARDWAREID);
  if (!IncludeListAdmits(includeList, hardwareIds)) return std::nullopt;

  std::optional<std::u16string> path = GetDevicePath(api, set, deviceInterface, required);
  if (!path) return std::nullopt;
  const TUniqueFile probe(api.CreateFileW(W(*path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED,
                                          nullptr));
  if (!probe || !CollectionMatches(api, probe.Get(), wanted)) return std::nullopt;
  return TCollectionFound{std::move(*path), std::move(hardwareIds)};
}

}  // namespace

void ScanCollections(const THidApi& api, const GUID& classGuid, const std::vector<std::u16string>& includeList,
                     USAGE_AND_PAGE wanted, const TCollectionAction& action) {
  const HDEVINFO set = api.SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return;
  const TDeviceInfoSet owner(api, set);
  SP_DEVICE_INTERFACE_DATA deviceInterface{};
  deviceInterface.cbSize = sizeof deviceInterface;
  for (DWORD index = 0; api.SetupDiEnumDeviceInterfaces(set, nullptr, &classGuid, index, &deviceInterface); ++index) {
    // The probe handle is closed before the action, so a reader it starts can open the
    // collection even where the device allows a single open.
    if (const std::optional<TCollectionFound> found = ExamineInterface(api, set, deviceInterface, includeList, wanted))
      action(found->DevicePath, found->HardwareIds);
  }
}

}  // namespace vd::win32
