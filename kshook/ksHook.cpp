// ksHook.dll: the suite's system-wide keyboard and mouse hooks. Each hook only passes every
// event on; the monitor links the library and checks its four entry points.

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
HHOOK gKeyboardHook = nullptr;
HHOOK gMouseHook = nullptr;

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL Enable(HHOOK& hook, int kind) {
  if (!hook) hook = SetWindowsHookExW(kind, PassOn, reinterpret_cast<HINSTANCE>(&__ImageBase), 0);
  return hook != nullptr;
}

BOOL Disable(HHOOK& hook) {
  const BOOL done = !hook || UnhookWindowsHookEx(hook);
  hook = nullptr;
  return done;
}
}  // namespace

extern "C" {
__declspec(dllexport) BOOL EnableKeyboardHook() { return Enable(gKeyboardHook, WH_KEYBOARD_LL); }
__declspec(dllexport) BOOL DisableKeyboardHook() { return Disable(gKeyboardHook); }
__declspec(dllexport) BOOL EnableMouseHook() { return Enable(gMouseHook, WH_MOUSE_LL); }
__declspec(dllexport) BOOL DisableMouseHook() { return Disable(gMouseHook); }
}
