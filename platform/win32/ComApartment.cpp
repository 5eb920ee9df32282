#include "platform/win32/ComApartment.h"

#include <objbase.h>

namespace vd::win32 {

TComApartment::TComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // S_FALSE (already initialised alike) counts too: every success is ended once.
  FInitialized = SUCCEEDED(result);
  FUsable = FInitialized || result == RPC_E_CHANGED_MODE;
}

TComApartment::~TComApartment() {
  if (FInitialized) CoUninitialize();
}

}  // namespace vd::win32
