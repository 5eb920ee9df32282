// The stand-in HID library: a handle to the stand-in mouse's pipe is its vendor collection;
// no other handle is a HID collection. Only the functions the monitor binds are here.

#include <windows.h>
// hidsdi.h needs windows.h first; it brings hidpi.h. Its functions, defined here with C
// names as the system's library exports them, are declared without a language linkage.
extern "C" {
#include <hidsdi.h>
}

#include "harness/win32/standins/MouseIdentity.h"

using namespace vd::e2e;

namespace {

// Hands out as the collection's preparsed data.
char gPreparsedData;

// The device paths the stand-in setup library describes are pipes, and nothing else is.
bool IsMouse(HANDLE handle) {
  return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_PIPE;
}

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI HidD_GetHidGuid(LPGUID guid) {
  *guid = GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetAttributes(HANDLE device, PHIDD_ATTRIBUTES attributes) {
  if (!IsMouse(device) || !attributes || attributes->Size != sizeof *attributes) return FALSE;
  attributes->VendorID = 0xF055;
  attributes->ProductID = 0x5600;
  attributes->VersionNumber = 0x0100;
  return TRUE;
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) {
  if (!IsMouse(device) || !data) return FALSE;
  *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(&gPreparsedData);
  return TRUE;
}

__declspec(dllexport) BOOLEAN WINAPI HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) {
  return data == reinterpret_cast<PHIDP_PREPARSED_DATA>(&gPreparsedData);
}

__declspec(dllexport) NTSTATUS WINAPI HidP_GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
  if (data != reinterpret_cast<PHIDP_PREPARSED_DATA>(&gPreparsedData) || !caps)
    return HIDP_STATUS_INVALID_PREPARSED_DATA;
  *caps = HIDP_CAPS{};
  caps->UsagePage = kMouseUsagePage;
  caps->Usage = kMouseUsage;
  caps->InputReportByteLength = kMouseReportLength;
  caps->OutputReportByteLength = kMouseReportLength;
  return HIDP_STATUS_SUCCESS;
}

}  // extern "C"
