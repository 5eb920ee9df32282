#include "hid/win32/HidApi.h"

namespace vd::win32 {

namespace {
// System libraries: a setupapi.dll or hid.dll beside the program is never taken.
constexpr platform::TLibrarySearch kSystemFolder = platform::TLibrarySearch::SystemFolderOnly;
}  // namespace

bool THidApi::SetupBound() const {
  return SetupDiGetClassDevsW && SetupDiEnumDeviceInterfaces && SetupDiGetDeviceInterfaceDetailW &&
         SetupDiGetDeviceRegistryPropertyW && SetupDiDestroyDeviceInfoList;
}

bool THidApi::HidBound() const {
  return HidD_GetHidGuid && HidD_GetAttributes && HidD_GetPreparsedData && HidD_FreePreparsedData && HidP_GetCaps;
}

THidLibraries::THidLibraries()
    : FSetupLibrary(u"setupapi.dll", kSystemFolder,
                    {{"SetupDiGetClassDevsW", FApi.SetupDiGetClassDevsW},
                     {"SetupDiEnumDeviceInterfaces", FApi.SetupDiEnumDeviceInterfaces},
                     {"SetupDiGetDeviceInterfaceDetailW", FApi.SetupDiGetDeviceInterfaceDetailW},
                     {"SetupDiGetDeviceRegistryPropertyW", FApi.SetupDiGetDeviceRegistryPropertyW},
                     {"SetupDiDestroyDeviceInfoList", FApi.SetupDiDestroyDeviceInfoList}}),
      FHidLibrary(FSetupLibrary.Bound() ? TLibraryBinding(u"hid.dll", kSystemFolder,
                                                          {{"HidD_GetHidGuid", FApi.HidD_GetHidGuid},
                                                           {"HidD_GetAttributes", FApi.HidD_GetAttributes},
                                                           {"HidD_GetPreparsedData", FApi.HidD_GetPreparsedData},
                                                           {"HidD_FreePreparsedData", FApi.HidD_FreePreparsedData},
                                                           {"HidP_GetCaps", FApi.HidP_GetCaps}})
                                        : TLibraryBinding()) {}

THidLibraries::THidLibraries(const THidApi& standIns) : FApi(standIns) {}

}  // namespace vd::win32
