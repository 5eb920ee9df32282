// Stand-in for a web browser: records the address it was asked to open, next to itself in
// "opened.txt" (UTF-16), and ends.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR address, int) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  wchar_t* slash = wcsrchr(self, L'\\');
  lstrcpyW(slash + 1, L"opened.txt");
  HANDLE file = CreateFileW(self, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, address, lstrlenW(address) * sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
  return 0;
}
