#pragma once
// Stand-ins for system libraries, installed into the system folder of the Wine prefix the
// tests run in, and taken by the monitor alone: Wine prefers its own builtin libraries, so a
// per-program override makes VDMon.exe load the files of the system folder, while every
// other program of the prefix keeps Wine's own.

#include <windows.h>

#include <optional>
#include <string>

namespace vd::e2e {

// Whether this process runs under Wine; the stand-ins are installed nowhere else.
bool RunningUnderWine();
// Installs the stand-in libraries of the build for VDMon.exe (setupapi.dll and hid.dll: the
// stand-in mouse; mmdevapi.dll: the stand-in capture device; winmm.dll: a sound output that
// remembers what it was asked to play); false when that is not possible here.
bool InstallSystemStandIns();

// The stand-in capture device's mute state; nothing when there is no capture device.
std::optional<bool> StandInMicrophoneMuted();
// Plugs in the stand-in capture device in the state given; nothing unplugs it.
void SetStandInMicrophone(std::optional<bool> muted);

// What the monitor asked the stand-in sound output to play since it was last forgotten.
struct TPlayedSounds {
  DWORD Count = 0;
  DWORD LastFingerprint = 0;  // of the last sound's WAV bytes
  DWORD LastFlags = 0;
};
TPlayedSounds StandInSoundsPlayed();
void ForgetStandInSounds();
// The fingerprint of one of the program's sound cues ("MUTEDCUE", "UNMUTEDCUE"); 0 when the
// program has no such cue.
DWORD CueFingerprint(const std::wstring& program, const wchar_t* cue);

}  // namespace vd::e2e
