// The monitor's profile-switch notice against a stand-in configurator window.

#include "app/win32/ConfiguratorLink.h"

#include <gtest/gtest.h>

#include "harness/win32/StandInConfigurator.h"
#include "platform/win32/Win32Platform.h"

namespace vd::win32 {
namespace {

TEST(ConfiguratorLinkTest, ASwitchIsSentToTheConfiguratorBeforeTheCallReturns) {
  platform::TWin32Platform system;
  NotifyProfileSwitch(2);  // without the configurator: nothing to send, nothing fails
  e2e::TStandInConfigurator configurator;
  NotifyProfileSwitch(4);
  // No message was pumped: the notice was delivered by SendMessage.
  ASSERT_EQ(configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED), 1);
  EXPECT_EQ(configurator.Received().front().WParam, 4u);
  EXPECT_EQ(configurator.Received().front().LParam, 0);
}

}  // namespace
}  // namespace vd::win32
