#include "scene/win32/LayeredWindow.h"

namespace vd::win32 {

namespace {

TUpdateLayeredWindow& Function() {
  // user32.dll is loaded with the program, which links it.
  static TUpdateLayeredWindow function = reinterpret_cast<TUpdateLayeredWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow")));
  return function;
}

}  // namespace

TUpdateLayeredWindow UpdateLayeredWindowFunction() { return Function(); }

TUpdateLayeredWindow ReplaceUpdateLayeredWindowFunction(TUpdateLayeredWindow function) {
  const TUpdateLayeredWindow replaced = Function();
  Function() = function;
  return replaced;
}

}  // namespace vd::win32
