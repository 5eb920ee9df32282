#include "app/MonitorSettings.h"

#include <memory>
#include <optional>

#include "platform/Platform.h"

namespace vd {

namespace {

std::optional<std::uint32_t> ReadSetting(const char16_t* name) {
  const std::unique_ptr<platform::IRegistryKey> key =
      platform::Platform().Registry->OpenKey(platform::TRootKey::CurrentUser, kMonitorKeyPath, false);
  if (!key) return std::nullopt;
  const std::optional<platform::TRegValueInfo> info = key->ValueInfo(name);
  platform::TBytes data;
  if (!info || info->Type != platform::REG_DWORD_TYPE || !key->ReadValue(name, data) || data.size() != 4)
    return std::nullopt;
  return data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

}  // namespace

bool NotificationsEnabled() { return ReadSetting(kShowNotificationsName).value_or(1) != 0; }

bool SoundsEnabled() { return ReadSetting(kPlaySoundsName).value_or(1) != 0; }

TMuteScope MuteScope() {
  const std::uint32_t value = ReadSetting(kMuteScopeName).value_or(1);
  return value <= 2 ? static_cast<TMuteScope>(value) : TMuteScope::DefaultAndCommunications;
}

}  // namespace vd
