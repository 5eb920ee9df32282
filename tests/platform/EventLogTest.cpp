// The platform's event log: events reach the installed log, or nowhere; the program's message
// boxes and debug output are logged on their way to the user interface.

#include "platform/EventLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/MemoryPlatform.h"

namespace vd::platform {
namespace {

class TRecordingLog : public IEventLog {
public:
  void Write(std::u16string_view event) override { FEvents.emplace_back(event); }
  std::vector<std::u16string> FEvents;
};

TEST(EventLogTest, EventsGoToTheInstalledLogOnly) {
  TMemoryPlatform system;
  LogEvent(u"before");  // no log: goes nowhere
  TRecordingLog log;
  TPlatform withLog = Platform();
  withLog.Log = &log;
  {
    const TPlatformScope scope(withLog);
    LogEvent(u"Mouse opened: HID\\VID_1");
  }
  LogEvent(u"after");
  EXPECT_EQ(log.FEvents, std::vector<std::u16string>{u"Mouse opened: HID\\VID_1"});
}

TEST(EventLogTest, MessageBoxesAndDebugOutputAreLoggedAndStillReachTheUserInterface) {
  TMemoryPlatform system;
  TRecordingLog log;
  TLoggingUserInterface ui(system.UI, log);
  EXPECT_EQ(ui.ShowMessageBox(u"Range check error", u"Title", MB_OK_FLAG | MB_ICONERROR_FLAG), 1);  // OK chosen
  ui.DebugOutput(u"No HID reader");
  EXPECT_EQ(log.FEvents, (std::vector<std::u16string>{u"Message box: Range check error", u"Debug output: No HID reader"}));
  ASSERT_EQ(system.UI.FMessageBoxes.size(), 1u);
  EXPECT_EQ(system.UI.FMessageBoxes[0].Text, u"Range check error");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Caption, u"Title");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Flags, MB_OK_FLAG | MB_ICONERROR_FLAG);
  EXPECT_EQ(system.UI.FDebugOutput, std::vector<std::u16string>{u"No HID reader"});
}

}  // namespace
}  // namespace vd::platform
