// The program's message boxes and debug output are logged on their way to the user.

#include "platform/EventLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/MemoryPlatform.h"

namespace vd::platform {
namespace {

TEST(EventLogTest, MessageBoxesAndDebugOutputAreLoggedAndStillReachTheUser) {
  struct : IEventLog {
    void Write(std::u16string_view event) override { Events.emplace_back(event); }
    std::vector<std::u16string> Events;
  } log;
  TMemoryPlatform system;
  TLoggingUserInterface ui(system.UI, log);
  EXPECT_EQ(ui.ShowMessageBox(u"Range check error", u"Title", MB_ICONERROR_FLAG), 1);  // OK chosen
  ui.DebugOutput(u"No HID reader");
  EXPECT_EQ(log.Events,
            (std::vector<std::u16string>{u"Message box: Range check error", u"Debug output: No HID reader"}));
  ASSERT_EQ(system.UI.FMessageBoxes.size(), 1u);
  EXPECT_EQ(system.UI.FMessageBoxes[0].Text + system.UI.FMessageBoxes[0].Caption, u"Range check errorTitle");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Flags, MB_ICONERROR_FLAG);
  EXPECT_EQ(system.UI.FDebugOutput, std::vector<std::u16string>{u"No HID reader"});
}

}  // namespace
}  // namespace vd::platform
