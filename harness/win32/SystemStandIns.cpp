#include "harness/win32/SystemStandIns.h"

#include <windows.h>

#include <string>

#include "harness/win32/Harness.h"
#include "harness/win32/standins/MicrophoneIdentity.h"
#include "harness/win32/standins/SoundIdentity.h"

namespace vd::e2e {

namespace {

constexpr const wchar_t* kStandIns[] = {L"setupapi", L"hid", L"mmdevapi", L"winmm"};
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

std::optional<bool> StandInMicrophoneMuted() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kMicrophoneKey, kMicrophoneMutedValue, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value != 0;
}

void SetStandInMicrophone(std::optional<bool> muted) {
  if (!muted) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kMicrophoneKey, kMicrophoneMutedValue);
    return;
  }
  const DWORD value = *muted ? 1 : 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, kMicrophoneKey, kMicrophoneMutedValue, REG_DWORD, &value, sizeof value);
}

TPlayedSounds StandInSoundsPlayed() {
  TPlayedSounds played;
  const auto read = [](const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kSoundKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  };
  read(kSoundPlaysValue, played.Count);
  read(kSoundLastValue, played.LastFingerprint);
  read(kSoundFlagsValue, played.LastFlags);
  return played;
}

void ForgetStandInSounds() { RegDeleteTreeW(HKEY_CURRENT_USER, kSoundKey); }

DWORD CueFingerprint(const std::wstring& program, const wchar_t* cue) {
  const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return 0;
  const HRSRC resource = FindResourceW(module, cue, L"WAVE");
  const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* wave = loaded ? LockResource(loaded) : nullptr;
  const DWORD fingerprint = wave ? WaveFingerprint(wave) : 0;
  FreeLibrary(module);
  return fingerprint;
}

}  // namespace vd::e2e
