#pragma once
// The functions of the setup and HID libraries that device access uses, bound by name at run
// time into one table, so that tests can fill the table with stand-ins.

#include <windows.h>
// These two need windows.h first.
#include <hidsdi.h>
#include <setupapi.h>

#include "platform/LibraryBinding.h"

namespace vd::win32 {

struct THidApi {
  // setupapi.dll
  decltype(&::SetupDiGetClassDevsW) SetupDiGetClassDevsW = nullptr;
  decltype(&::SetupDiEnumDeviceInterfaces) SetupDiEnumDeviceInterfaces = nullptr;
  decltype(&::SetupDiGetDeviceInterfaceDetailW) SetupDiGetDeviceInterfaceDetailW = nullptr;
  decltype(&::SetupDiGetDeviceRegistryPropertyW) SetupDiGetDeviceRegistryPropertyW = nullptr;
  decltype(&::SetupDiDestroyDeviceInfoList) SetupDiDestroyDeviceInfoList = nullptr;
  // hid.dll
  decltype(&::HidD_GetHidGuid) HidD_GetHidGuid = nullptr;
  decltype(&::HidD_GetAttributes) HidD_GetAttributes = nullptr;
  decltype(&::HidD_GetPreparsedData) HidD_GetPreparsedData = nullptr;
  decltype(&::HidD_FreePreparsedData) HidD_FreePreparsedData = nullptr;
  decltype(&::HidP_GetCaps) HidP_GetCaps = nullptr;
  // The system's own; in the table so that a test can stand in for devices.
  decltype(&::CreateFileW) CreateFileW = ::CreateFileW;

  bool SetupBound() const;
  bool HidBound() const;
};

// Preparsed data of a collection, released through the table that gave it.
class TPreparsedData {
public:
  TPreparsedData(const THidApi& api, PHIDP_PREPARSED_DATA data) : FApi(api), FData(data) {}
  ~TPreparsedData() { FApi.HidD_FreePreparsedData(FData); }
  TPreparsedData(const TPreparsedData&) = delete;
  TPreparsedData& operator=(const TPreparsedData&) = delete;

private:
  const THidApi& FApi;
  PHIDP_PREPARSED_DATA FData;
};

// The table of the system's libraries: the setup library is bound first, the HID library only
// when every setup function was found; each library wholly or not at all. The libraries stay
// loaded as long as the object lives.
class THidLibraries {
public:
  THidLibraries();
  // Stand-ins instead of the system's libraries.
  explicit THidLibraries(const THidApi& standIns);
  THidLibraries(const THidLibraries&) = delete;
  THidLibraries& operator=(const THidLibraries&) = delete;

  const THidApi& Api() const { return FApi; }

private:
  THidApi FApi;
  TLibraryBinding FSetupLibrary;
  TLibraryBinding FHidLibrary;
};

}  // namespace vd::win32
