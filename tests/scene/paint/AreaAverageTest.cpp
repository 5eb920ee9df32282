// A reduction averages what each target pixel covers, weighted by the share covered.

#include "scene/paint/AreaAverage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace vd {
namespace {

std::vector<std::uint32_t> Reduce(std::vector<std::uint32_t> from, int width, const TvgRect& source, int toWidth,
                                  int toHeight) {
  const int height = static_cast<int>(from.size()) / width;
  std::vector<std::uint32_t> to(static_cast<std::size_t>(toWidth * toHeight));
  ReduceByAreaAverage({from.data(), width, height, width}, source, {to.data(), toWidth, toHeight, toWidth});
  return to;
}

TEST(AreaAverageTest, EachTargetPixelIsTheWeightedMeanOfWhatItCovers) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  struct TCase {
    const char* What;
    std::vector<std::uint32_t> From;
    int Width;
    TvgRect Source;
    int ToWidth, ToHeight;
    std::vector<std::uint32_t> Expected;
  };
  const TCase cases[] = {
      {"2 x 2 blocks",
       {0x00000000, 0xFF000000, 0x10203040, 0x30404040,  //
        0x00000000, 0xFF000000, 0x10203040, 0x50000000},
       4,
       {0, 0, 4, 2},
       2,
       1,
       {0x80000000, 0x28202830}},
      {"three into two: the middle pixel is shared",
       {0x000000FF, 0x00000000, 0x000000C0},
       3,
       {0, 0, 3, 1},
       2,
       1,
       {0x000000AA, 0x00000080}},
      {"a part of the picture", {0xFF0000FF, 0x00000000, 0x00000000, 0xFFFFFFFF}, 2, {1, 1, 2, 2}, 1, 1, {0xFFFFFFFF}},
      {"a part reaching past the picture is cut to it", {0x000000FF, 0x00000001}, 2, {0, 0, 4, 1}, 1, 1, {0x00000080}},
      {"a part that is not finite leaves the target as it is", {0x000000FF}, 1, {0, 0, kInfinity, 1}, 1, 1, {0}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Reduce(c.From, c.Width, c.Source, c.ToWidth, c.ToHeight), c.Expected) << c.What;
}

}  // namespace
}  // namespace vd
