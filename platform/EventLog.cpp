#include "platform/EventLog.h"

#include <string>

namespace vd::platform {

void LogEvent(std::u16string_view event) {
  if (IEventLog* log = Platform().Log) log->Write(event);
}

int TLoggingUserInterface::ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) {
  // Written before the box waits for the user, so that a monitor stuck behind it shows why.
  FLog.Write(u"Message box: " + std::u16string(text));
  return FInner.ShowMessageBox(text, caption, flags);
}

void TLoggingUserInterface::DebugOutput(std::u16string_view text) {
  FLog.Write(u"Debug output: " + std::u16string(text));
  FInner.DebugOutput(text);
}

}  // namespace vd::platform
