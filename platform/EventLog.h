#pragma once
// The process's event log, for bug reports: what happened (a start, a mouse opened, a mute
// asked), and every error the program shows or swallows. The monitor installs a log in the
// platform (TPlatform::Log); without one, events go nowhere. A log may be written from any
// thread and never fails its caller.

#include <string_view>

#include "platform/Platform.h"

namespace vd::platform {

class IEventLog {
public:
  virtual ~IEventLog() = default;
  // Any thread; a log that cannot be written drops the event.
  virtual void Write(std::u16string_view event) = 0;
};

// Writes the event to the platform's log, if there is one.
void LogEvent(std::u16string_view event);

// The user interface of another platform, with everything that passes through it logged:
// the program's message boxes (every one of them reports an error) and its debug output
// (the traces of failures it swallows).
class TLoggingUserInterface : public IUserInterface {
public:
  TLoggingUserInterface(IUserInterface& inner, IEventLog& log) : FInner(inner), FLog(log) {}
  int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
  void DebugOutput(std::u16string_view text) override;

private:
  IUserInterface& FInner;
  IEventLog& FLog;
};

}  // namespace vd::platform
