// A hook library that lacks DisableMouseHook: the monitor must unload it without a word.

#include <windows.h>

extern "C" {
__declspec(dllexport) BOOL EnableKeyboardHook() { return FALSE; }
__declspec(dllexport) BOOL DisableKeyboardHook() { return FALSE; }
__declspec(dllexport) BOOL EnableMouseHook() { return FALSE; }
}
