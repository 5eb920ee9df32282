#pragma once
// One monitor per user logon, guarded by a named mutex.

#include <string>

#include "platform/win32/Handles.h"

namespace vd::win32 {

class TSingleInstance {
public:
  // False when another monitor runs (or is starting): the caller ends at once.
  bool Acquire(const std::u16string& name);
  // Releases the mutex; the handle stays open, so the name stays taken until the process ends.
  void Release();

private:
  TUniqueHandle FMutex;
};

}  // namespace vd::win32
