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
    const std::optional<TMonitorArea> monitor = MonitorAt(monitors, c.Pointer);
    ASSERT_TRUE(monitor.has_value());
    EXPECT_EQ(NoticePosition(monitor->WorkArea, 300, 60), c.Notice) << c.Pointer.X << "," << c.Pointer.Y;
  }
  EXPECT_FALSE(MonitorAt({}, {0, 0}).has_value());
  // Larger than the work area: kept inside it.
  EXPECT_EQ(NoticePosition({0, 0, 200, 100}, 300, 80), (TScreenPoint{0, 0}));
}

// On each monitor the notice is as large as that monitor's scale makes it, and as far from
// the bottom.
TEST(NoticeTest, TheNoticeTakesTheScaleOfTheMonitorUnderThePointerInItsSizeAndItsGap) {
  const std::vector<TMonitorArea> monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
                                              {{1920, 0, 5760, 2160}, {1920, 0, 5760, 2080}, 192},
                                              {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, 144}};
  const struct {
    TScreenPoint Pointer;
    TScreenPoint At;
    float Scale;
  } cases[] = {
      {{100, 100}, {790, 908}, 1},       // 340 x 84, 48 above the task bar
      {{2500, 10}, {3500, 1816}, 2},     // 680 x 168, 96 above it
      {{-600, 900}, {-895, 826}, 1.5f},  // 510 x 126, 72 above the bottom
  };
  for (const auto& c : cases) {
    const std::optional<TNoticePlace> place = PlaceNotice(monitors, c.Pointer, 340, 84);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->At, c.At) << c.Pointer.X;
    EXPECT_EQ(place->Scale, c.Scale) << c.Pointer.X;
  }
  EXPECT_FALSE(PlaceNotice({}, {0, 0}, 340, 84).has_value());
}

}  // namespace
}  // namespace vd
