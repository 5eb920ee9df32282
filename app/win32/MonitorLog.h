#pragma once
// The monitor's log for bug reports, %LOCALAPPDATA%\Vardel\Mouse Monitor\VDMon.log: for the
// object's lifetime it is the platform's event log, and the platform's message boxes and
// debug output are written to it as well. It says when the monitor starts (its version, the
// system's version, where it runs from) and when it ends.

#include <string>

#include "app/win32/LogFile.h"
#include "platform/EventLog.h"
#include "platform/Platform.h"

namespace vd::win32 {

class TMonitorLog {
public:
  TMonitorLog();
  ~TMonitorLog();
  TMonitorLog(const TMonitorLog&) = delete;
  TMonitorLog& operator=(const TMonitorLog&) = delete;

private:
  TLogFile FFile;
  platform::TLoggingUserInterface FUserInterface;
  platform::TPlatformScope FScope;
};

// The log's folder, with a trailing backslash.
std::u16string MonitorLogFolder();

}  // namespace vd::win32
