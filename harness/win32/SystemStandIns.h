#pragma once
// Stand-ins for system libraries, installed into the system folder of the Wine prefix the
// tests run in, and taken by the monitor alone: Wine prefers its own builtin libraries, so a
// per-program override makes VDMon.exe load the files of the system folder, while every
// other program of the prefix keeps Wine's own.

#include <optional>

namespace vd::e2e {

// Whether this process runs under Wine; the stand-ins are installed nowhere else.
bool RunningUnderWine();
// Installs the stand-in libraries of the build for VDMon.exe (setupapi.dll and hid.dll: the
// stand-in mouse; mmdevapi.dll: the stand-in capture device); false when that is not
// possible here.
bool InstallSystemStandIns();

// The stand-in capture device's mute state; nothing when there is no capture device.
std::optional<bool> StandInMicrophoneMuted();
// Plugs in the stand-in capture device in the state given; nothing unplugs it.
void SetStandInMicrophone(std::optional<bool> muted);

}  // namespace vd::e2e
