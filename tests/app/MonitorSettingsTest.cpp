// The monitor's own settings, as the user may have left them in its key.

#include "app/MonitorSettings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

TEST(MonitorSettingsTest, EachSettingIsItsDWordOrElseItsDefault) {
  const std::uint8_t zeroBytes[4] = {};
  const auto dword = [](const char16_t* name, std::uint32_t value) {
    return [=](platform::IRegistryKey& key) { key.WriteDWord(name, value); };
  };
  const auto binary = [&](const char16_t* name) {
    return [&, name](platform::IRegistryKey& key) { key.WriteBinary(name, zeroBytes, sizeof zeroBytes); };
  };
  using S = TMuteScope;
  const struct {
    const char* What;
    std::function<void(platform::IRegistryKey&)> Store;
    bool Notices;
    bool Sounds;
    TMuteScope Scope;
  } cases[] = {
      {"nothing stored", nullptr, true, true, S::DefaultAndCommunications},
      {"notices 0", dword(kShowNotificationsName, 0), false, true, S::DefaultAndCommunications},
      {"notices 1", dword(kShowNotificationsName, 1), true, true, S::DefaultAndCommunications},
      {"notices 0x100", dword(kShowNotificationsName, 0x100), true, true, S::DefaultAndCommunications},
      {"notices: four zero bytes, not a DWORD", binary(kShowNotificationsName), true, true,
       S::DefaultAndCommunications},
      {"sounds 0", dword(kPlaySoundsName, 0), true, false, S::DefaultAndCommunications},
      {"sounds 2", dword(kPlaySoundsName, 2), true, true, S::DefaultAndCommunications},
      {"sounds: not a DWORD", binary(kPlaySoundsName), true, true, S::DefaultAndCommunications},
      {"scope 0", dword(kMuteScopeName, 0), true, true, S::DefaultDevice},
      {"scope 1", dword(kMuteScopeName, 1), true, true, S::DefaultAndCommunications},
      {"scope 2", dword(kMuteScopeName, 2), true, true, S::EveryActiveDevice},
      {"scope 3", dword(kMuteScopeName, 3), true, true, S::DefaultAndCommunications},
      {"scope: not a DWORD", binary(kMuteScopeName), true, true, S::DefaultAndCommunications},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    platform::TMemoryPlatform system;
    if (c.Store)
      c.Store(*platform::Platform().Registry->OpenKey(platform::TRootKey::CurrentUser, kMonitorKeyPath, true));
    EXPECT_EQ(NotificationsEnabled(), c.Notices);
    EXPECT_EQ(SoundsEnabled(), c.Sounds);
    EXPECT_EQ(MuteScope(), c.Scope);
  }
}

}  // namespace
}  // namespace vd
