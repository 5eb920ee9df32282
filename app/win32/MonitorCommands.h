#pragma once
// The command line's way to the running monitor: a run with a switch finds the monitor's
// window (class TVDMonMain) and hands it the command as WM_COPYDATA; the monitor checks what
// it got (app/CommandLine.h) and acts on a command only.

#include <windows.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace vd::win32 {

class TVDMonMain;

// The program's arguments after its name.
std::vector<std::u16string> ProgramArguments();
// Carries out a request other than a start; answers the process's exit code. "/exit" returns
// once the monitor's process has ended, so that its files can be replaced.
int RunCommandLine(const TCommandLineRequest& request);

// The monitor's side of WM_COPYDATA (its lParam): TRUE for a command it takes.
LRESULT ReceiveMonitorCommand(TVDMonMain& monitor, LPARAM lParam);

}  // namespace vd::win32
