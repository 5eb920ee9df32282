// The stand-in setup library: the HID interface class holds one interface, the stand-in
// mouse's collection, whose device path is the test's named pipe. Only the functions the
// monitor binds are here.

#include <windows.h>
// setupapi.h needs windows.h first; its functions are defined here, not imported.
#define _SETUPAPI_
#include <setupapi.h>

#include <cstddef>
#include <cstring>

#include "harness/win32/standins/MouseIdentity.h"

using vd::e2e::kMouseHardwareIds;
using vd::e2e::kMousePipe;

namespace {

// Any value but INVALID_HANDLE_VALUE names the one device set.
const HDEVINFO kDeviceSet = reinterpret_cast<HDEVINFO>(static_cast<INT_PTR>(0x5E7));

}  // namespace

extern "C" {

__declspec(dllexport) HDEVINFO WINAPI SetupDiGetClassDevsW(const GUID*, PCWSTR, HWND, DWORD) { return kDeviceSet; }

__declspec(dllexport) WINBOOL WINAPI SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID*,
                                                                 DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  if (set != kDeviceSet || index != 0 || !data || data->cbSize != sizeof *data) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) WINBOOL WINAPI
    SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                                     DWORD size, PDWORD required, PSP_DEVINFO_DATA) {
  const DWORD needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + sizeof kMousePipe;
  if (set != kDeviceSet) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (required) *required = needed;
  if (!detail || size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (detail->cbSize != sizeof *detail) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  std::memcpy(detail->DevicePath, kMousePipe, sizeof kMousePipe);
  return TRUE;
}

__declspec(dllexport) WINBOOL WINAPI
    SetupDiGetDeviceRegistryPropertyW(HDEVINFO set, PSP_DEVINFO_DATA, DWORD property, PDWORD type, PBYTE buffer,
                                      DWORD size, PDWORD required) {
  if (set != kDeviceSet || property != SPDRP_HARDWAREID) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  if (type) *type = REG_MULTI_SZ;
  if (required) *required = sizeof kMouseHardwareIds;
  if (!buffer || size < sizeof kMouseHardwareIds) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, kMouseHardwareIds, sizeof kMouseHardwareIds);
  return TRUE;
}

__declspec(dllexport) WINBOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set) { return set == kDeviceSet; }

}  // extern "C"
