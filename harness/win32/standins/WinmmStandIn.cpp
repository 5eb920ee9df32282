// The stand-in sound library: PlaySoundW remembers what it was asked to play, from memory,
// in the registry where the driving program reads it, and plays nothing.

#include <windows.h>

#include "harness/win32/standins/SoundIdentity.h"

using namespace vd::e2e;

namespace {

void Store(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSoundKey, name, REG_DWORD, &value, sizeof value);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR sound, HMODULE, DWORD flags) {
  constexpr DWORD kMemory = 0x0004;  // SND_MEMORY
  if (!sound || !(flags & kMemory)) return FALSE;
  DWORD plays = 0;
  DWORD size = sizeof plays;
  RegGetValueW(HKEY_CURRENT_USER, kSoundKey, kSoundPlaysValue, RRF_RT_REG_DWORD, nullptr, &plays, &size);
  Store(kSoundLastValue, WaveFingerprint(sound));
  Store(kSoundFlagsValue, flags);
  Store(kSoundPlaysValue, plays + 1);
  return TRUE;
}
