// The monitor's profile-switch notice against the real registry and a stand-in configurator
// window.

#include "app/win32/ConfiguratorMessages.h"

#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"
#include "tests/e2e/StandInConfigurator.h"

namespace vd::win32 {
namespace {

constexpr wchar_t kStoreKey[] = L"software\\Vardelngmmouse";

class ConfiguratorMessagesTest : public ::testing::Test {
protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey); }

  static void CreateStoreKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static DWORD StoredProfileId(DWORD& type) {
    DWORD value = 0xFFFFFFFF;
    DWORD size = sizeof value;
    type = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, kStoreKey, L"ProfileID", RRF_RT_ANY, &type, &value, &size);
    return value;
  }

  platform::TWin32Platform FSystem;
};

TEST_F(ConfiguratorMessagesTest, ASwitchIsStoredAndSentToTheConfiguratorBeforeTheCallReturns) {
  CreateStoreKey();
  e2e::TStandInConfigurator configurator;
  NotifyProfileSwitch(4);
  // No message was pumped: the notice was delivered by SendMessage.
  ASSERT_EQ(configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED), 1);
  EXPECT_EQ(configurator.Received().front().WParam, 4u);
  EXPECT_EQ(configurator.Received().front().LParam, 0);
  DWORD type = 0;
  EXPECT_EQ(StoredProfileId(type), 4u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(ConfiguratorMessagesTest, WithoutTheConfiguratorTheSwitchIsStoredAllTheSame) {
  CreateStoreKey();
  NotifyProfileSwitch(2);
  DWORD type = 0;
  EXPECT_EQ(StoredProfileId(type), 2u);
}

TEST_F(ConfiguratorMessagesTest, WithoutTheStoreKeyNothingIsCreatedButTheConfiguratorStillHears) {
  e2e::TStandInConfigurator configurator;
  NotifyProfileSwitch(1);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(configurator.CountOf(WM_DEVICE_PROFILE_SWITCHED), 1);
}

}  // namespace
}  // namespace vd::win32
