// The notice's decisions: whether it may show, its texts and its place on the screen.

#include "app/Notice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

TEST(NoticeTest, OnlyAnExclusiveFullScreenProgramOrAPresentationKeepsTheNoticeAway) {
  for (int state = 1; state <= 7; ++state)
    EXPECT_EQ(NoticeMayShow(static_cast<TScreenState>(state)), state != 3 && state != 4) << "state " << state;
}

TEST(NoticeTest, ProfilesAreCountedFrom1AndTheMicrophoneSaysItsState) {
  platform::TMemoryPlatform system;
  EXPECT_EQ(ProfileNoticeText(0), u"Profile 1");
  EXPECT_EQ(ProfileNoticeText(4), u"Profile 5");
  EXPECT_EQ(MicrophoneNoticeText(true), u"Microphone muted");
  EXPECT_EQ(MicrophoneNoticeText(false), u"Microphone on");
}

TEST(NoticeTest, TheNoticeGoesNearTheBottomOfTheWorkAreaOfTheMonitorUnderThePointer) {
  // Two monitors side by side, the task bar at the bottom of the first.
  const std::vector<TMonitorArea> monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                              {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}}};
  const struct {
    TScreenPoint Pointer;
    TScreenPoint Notice;
  } cases[] = {
      {{100, 100}, {810, 932}},     // on the first: above its task bar
      {{2500, 10}, {2410, 916}},    // on the second
      {{-50, 500}, {810, 932}},     // off every monitor: the nearest
      {{2500, 1500}, {2410, 916}},  // below the second
  };
  for (const auto& c : cases) {
    const std::optional<TvgPixelRect> area = WorkAreaAt(monitors, c.Pointer);
    ASSERT_TRUE(area.has_value());
    EXPECT_EQ(NoticePosition(*area, 300, 60), c.Notice) << c.Pointer.X << "," << c.Pointer.Y;
  }
  EXPECT_FALSE(WorkAreaAt({}, {0, 0}).has_value());
  // Larger than the work area: kept inside it.
  EXPECT_EQ(NoticePosition({0, 0, 200, 100}, 300, 80), (TScreenPoint{0, 0}));
}

}  // namespace
}  // namespace vd
