// An enlargement mixes the two source pixels nearest each target pixel's centre along each
// axis; beyond the picture there is transparency.

#include "scene/paint/Enlarge.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vd {
namespace {

std::vector<std::uint32_t> Enlarge(std::vector<std::uint32_t> from, int width, const TvgRect& source, int toWidth,
                                   int toHeight) {
  const int height = static_cast<int>(from.size()) / width;
  std::vector<std::uint32_t> to(static_cast<std::size_t>(toWidth * toHeight));
  EnlargeSmoothly({from.data(), width, height, width}, source, {to.data(), toWidth, toHeight, toWidth});
  return to;
}

TEST(EnlargeTest, EachTargetPixelMixesTheSourcePixelsAroundItsCentre) {
  struct TCase {
    const char* What;
    std::vector<std::uint32_t> From;
    int Width;
    TvgRect Source;
    int ToWidth, ToHeight;
    std::vector<std::uint32_t> Expected;
  };
  const TCase cases[] = {
      // Centres at -0.25, 0.25, 0.75 and 1.25 of the source's pixels.
      {"two into four: the outer pixels fade into what lies beyond",
       {0xFF0000FF, 0xFF00FF00},
       2,
       {0, 0, 2, 1},
       4,
       1,
       {0xBF0000BF, 0xFF0040BF, 0xFF00BF40, 0xBF00BF00}},
      {"one into two by two: faded along both axes",
       {0xFF0000FF},
       1,
       {0, 0, 1, 1},
       2,
       2,
       {0x8F00008F, 0x8F00008F, 0x8F00008F, 0x8F00008F}},
      {"the same size: each pixel itself", {0x10203040, 0x50607080}, 2, {0, 0, 2, 1}, 2, 1, {0x10203040, 0x50607080}},
      {"a part of the picture mixes with the pixels beside it",
       {0xFF000000, 0xFF000030, 0xFF000060},
       3,
       {1, 0, 2, 1},
       3,
       1,
       {0xFF000020, 0xFF000030, 0xFF000040}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Enlarge(c.From, c.Width, c.Source, c.ToWidth, c.ToHeight), c.Expected) << c.What;
}

}  // namespace
}  // namespace vd
