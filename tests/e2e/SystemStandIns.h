#pragma once
// Stand-ins for system libraries, installed into the system folder of the Wine prefix the
// tests run in, and taken by the monitor alone: Wine prefers its own builtin libraries, so a
// per-program override makes VDMon.exe load the files of the system folder, while every
// other program of the prefix keeps Wine's own.

namespace vd::e2e {

// Whether this process runs under Wine; the stand-ins are installed nowhere else.
bool RunningUnderWine();
// Installs the stand-in libraries of the build (setupapi.dll, hid.dll: the stand-in mouse)
// for VDMon.exe; false when that is not possible here.
bool InstallSystemStandIns();

}  // namespace vd::e2e
