#pragma once
// The monitor's own settings: DWORD values in its own key beside the configurator's values,
// read whenever they are used, so that a change takes effect at once. A value that is
// missing, or is not a DWORD, means the default.

#include <cstdint>

namespace vd {

inline constexpr char16_t kMonitorKeyPath[] = u"software\\Vardelngmmouse\\Monitor";
inline constexpr char16_t kShowNotificationsName[] = u"ShowNotifications";
inline constexpr char16_t kPlaySoundsName[] = u"PlaySounds";
inline constexpr char16_t kMuteScopeName[] = u"MuteScope";

// Which microphones the mute button acts on.
enum class TMuteScope : std::uint32_t {
  DefaultDevice = 0,             // the default capture device
  DefaultAndCommunications = 1,  // and, where it is another one, the default communications capture device
  EveryActiveDevice = 2,         // every active capture device
};

// ShowNotifications: 0 turns the on-screen notices off.
bool NotificationsEnabled();
// PlaySounds: 0 turns the mute button's sound cues off.
bool SoundsEnabled();
// MuteScope: 0, 1 or 2; any other value means 1.
TMuteScope MuteScope();

}  // namespace vd
