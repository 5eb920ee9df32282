#include "app/win32/SingleInstance.h"

#include "platform/win32/StringConversions.h"

namespace vd::win32 {

bool TSingleInstance::Acquire(const std::u16string& name) {
  constexpr DWORD kFullAccess = 0x1F0001;  // MUTEX_ALL_ACCESS
  if (TUniqueHandle existing{OpenMutexW(kFullAccess, FALSE, W(name))}) return false;
  // A monitor whose mutex this process may not open with full access (one started
  // elevated, say) still runs.
  if (GetLastError() == ERROR_ACCESS_DENIED) return false;
  FMutex.Reset(CreateMutexW(nullptr, TRUE, W(name)));
  // Another monitor created the mutex since the check: it runs, this one ends.
  if (!FMutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    FMutex.Reset();
    return false;
  }
  return true;
}

void TSingleInstance::Release() {
  if (FMutex) ReleaseMutex(FMutex.Get());
}

}  // namespace vd::win32
