// What of a picture shows inside the visible rectangle: the destination cut to it, the source
// cut in proportion.

#include "scene/paint/VisiblePart.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace vd {
namespace {

TEST(VisiblePartTest, TheDestinationIsCutToWhatIsVisibleAndTheSourceInProportion) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  struct TCase {
    const char* What;
    TvgRect Destination;
    std::optional<TvgPicturePart> Expected;
  };
  // A picture of 100 × 50 pixels, drawn into the destination; (0, 0) to (40, 20) is visible.
  const TvgRect source{0, 0, 100, 50};
  const TCase cases[] = {
      {"inside", {10, 5, 30, 15}, TvgPicturePart{source, {10, 5, 30, 15}}},
      {"reaching out on the right and at the bottom",
       {20, 10, 120, 60},
       TvgPicturePart{{0, 0, 20, 10}, {20, 10, 40, 20}}},
      {"far beyond on every side",
       {-2e8f + 20, -1e8f + 10, 2e8f + 20, 1e8f + 10},
       TvgPicturePart{{50 - 20 * 100 / 4e8f, 25 - 10 * 50 / 2e8f, 50 + 20 * 100 / 4e8f, 25 + 10 * 50 / 2e8f},
                      {0, 0, 40, 20}}},
      {"outside", {40, 0, 80, 20}, std::nullopt},
      {"of no width", {10, 5, 10, 15}, std::nullopt},
      {"flipped", {30, 5, 10, 15}, std::nullopt},
      {"not a number", {kNaN, 5, 30, 15}, std::nullopt},
      {"infinite", {0, 0, kInfinity, 15}, std::nullopt},
  };
  for (const TCase& c : cases) {
    const std::optional<TvgPicturePart> part = VisiblePart(source, c.Destination, {0, 0, 40, 20});
    ASSERT_EQ(part.has_value(), c.Expected.has_value()) << c.What;
    if (!part) continue;
    EXPECT_EQ(part->Destination, c.Expected->Destination) << c.What;
    EXPECT_FLOAT_EQ(part->Source.Left, c.Expected->Source.Left) << c.What;
    EXPECT_FLOAT_EQ(part->Source.Top, c.Expected->Source.Top) << c.What;
    EXPECT_FLOAT_EQ(part->Source.Right, c.Expected->Source.Right) << c.What;
    EXPECT_FLOAT_EQ(part->Source.Bottom, c.Expected->Source.Bottom) << c.What;
  }
}

}  // namespace
}  // namespace vd
