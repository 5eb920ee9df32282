// A message hook that the tests place on the monitor's main thread to read its open popup
// menu, which another process cannot read. On the registered message "VdMenuSpyDump" it
// writes the captions of the open menu, one per line (UTF-16), to C:\vd-e2e\menu-items.txt.

#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuSpyGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT dump = RegisterWindowMessageW(L"VdMenuSpyDump");
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == dump) {
    HANDLE file = CreateFileW(L"C:\\vd-e2e\\menu-items.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const HWND window = FindWindowW(L"#32768", nullptr);
    const HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count && file != INVALID_HANDLE_VALUE; ++i) {
      wchar_t caption[256] = {};
      const int length = GetMenuStringW(menu, i, caption, 255, MF_BYPOSITION);
      caption[length] = L'\n';
      DWORD written = 0;
      WriteFile(file, caption, (length + 1) * sizeof(wchar_t), &written, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
