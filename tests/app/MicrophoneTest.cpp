// The decisions of a mute-button press over the microphones in scope.

#include "app/Microphone.h"

#include <gtest/gtest.h>

#include <vector>

namespace vd {
namespace {

constexpr std::optional<bool> kMuted = true, kLive = false, kUnreadable = std::nullopt;

TEST(MicrophoneTest, ThePressMutesAllUnlessAllAreMutedAndOnlyAllMutedIsShownMuted) {
  const struct {
    std::vector<std::optional<bool>> States;
    std::optional<bool> Shown;   // the state shown
    std::optional<bool> Target;  // what the press sets
  } cases[] = {
      {{}, kUnreadable, kUnreadable},
      {{kLive}, kLive, kMuted},
      {{kMuted}, kMuted, kLive},
      {{kUnreadable}, kUnreadable, kUnreadable},
      {{kMuted, kMuted}, kMuted, kLive},
      {{kMuted, kLive}, kLive, kMuted},
      {{kLive, kLive}, kLive, kMuted},
      {{kMuted, kUnreadable}, kLive, kMuted},  // one that refuses is not counted as muted
      {{kUnreadable, kUnreadable}, kUnreadable, kUnreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.States));
    EXPECT_EQ(MutedInScope(c.States), c.Shown);
    EXPECT_EQ(ToggleTarget(c.States), c.Target);
  }
}

TEST(MicrophoneTest, ACueSoundsOnlyForAChangeThatTook) {
  EXPECT_EQ(CueAfterToggle(kLive, kMuted), TMuteCue::Muted);
  EXPECT_EQ(CueAfterToggle(kMuted, kLive), TMuteCue::Unmuted);
  EXPECT_EQ(CueAfterToggle(kUnreadable, kMuted), TMuteCue::Muted);
  EXPECT_EQ(CueAfterToggle(kLive, kLive), std::nullopt);  // the mute did not take
  EXPECT_EQ(CueAfterToggle(kMuted, kMuted), std::nullopt);
  EXPECT_EQ(CueAfterToggle(kMuted, kUnreadable), std::nullopt);
}

}  // namespace
}  // namespace vd
