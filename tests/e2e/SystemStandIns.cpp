#include "tests/e2e/SystemStandIns.h"

#include <windows.h>

#include <string>

#include "tests/e2e/Harness.h"

namespace vd::e2e {

namespace {

constexpr const wchar_t* kStandIns[] = {L"setupapi", L"hid"};
constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\VDMon.exe\\DllOverrides";

}  // namespace

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool InstallSystemStandIns() {
  if (!RunningUnderWine()) return false;
  wchar_t system[MAX_PATH] = {};
  if (!GetSystemDirectoryW(system, MAX_PATH)) return false;
  for (const wchar_t* name : kStandIns) {
    const std::wstring file = std::wstring(name) + L".dll";
    if (!CopyFileW((BuildFolder() + L"e2e\\system\\" + file).c_str(), (std::wstring(system) + L"\\" + file).c_str(),
                   FALSE))
      return false;
    const wchar_t native[] = L"native";
    if (RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, name, REG_SZ, native, sizeof native) != ERROR_SUCCESS)
      return false;
  }
  return true;
}

}  // namespace vd::e2e
