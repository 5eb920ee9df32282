// Stand-in for the configurator program: records the folder it was started in, next to
// itself in "launched.txt" (UTF-16), and ends.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  wchar_t* slash = wcsrchr(self, L'\\');
  lstrcpyW(slash + 1, L"launched.txt");
  wchar_t current[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
  HANDLE file = CreateFileW(self, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, current, length * sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
  return 0;
}
