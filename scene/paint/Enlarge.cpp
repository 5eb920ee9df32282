#include "scene/paint/Enlarge.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vd {

namespace {

// The two source pixels that one target pixel mixes along an axis, and the second's weight;
// a pixel outside the picture is -1.
struct TPair {
  int First = -1;
  int Second = -1;
  float Weight = 0;
};

std::vector<TPair> Pairs(float start, float length, int count, int limit) {
  std::vector<TPair> pairs(static_cast<std::size_t>(count));
  const float step = length / static_cast<float>(count);
  for (int i = 0; i < count; ++i) {
    // Where the target pixel's centre falls, measured from the source pixels' centres.
    const float at = start + step * (static_cast<float>(i) + 0.5f) - 0.5f;
    const float below = std::floor(at);
    const auto first = static_cast<int>(below);
    const auto inside = [limit](int k) { return k >= 0 && k < limit ? k : -1; };
    pairs[static_cast<std::size_t>(i)] = {inside(first), inside(first + 1), at - below};
  }
  return pairs;
}

std::array<float, 4> Channels(std::uint32_t pixel) {
  return {static_cast<float>(pixel & 0xFF), static_cast<float>(pixel >> 8 & 0xFF),
          static_cast<float>(pixel >> 16 & 0xFF), static_cast<float>(pixel >> 24)};
}

}  // namespace

void EnlargeSmoothly(const TvgPixelBlock& from, const TvgRect& source, const TvgPixelBlock& to) {
  if (from.Width <= 0 || from.Height <= 0 || to.Width <= 0 || to.Height <= 0) return;
  const std::vector<TPair> columns = Pairs(source.Left, source.Width(), to.Width, from.Width);
  const std::vector<TPair> rows = Pairs(source.Top, source.Height(), to.Height, from.Height);
  const auto at = [&](int x, int y) {
    return x < 0 || y < 0 ? std::array<float, 4>{}
                          : Channels(from.Bits[static_cast<std::ptrdiff_t>(y) * from.Stride + x]);
  };
  for (int y = 0; y < to.Height; ++y) {
    const TPair& row = rows[static_cast<std::size_t>(y)];
    std::uint32_t* target = to.Bits + static_cast<std::ptrdiff_t>(y) * to.Stride;
    for (int x = 0; x < to.Width; ++x) {
      const TPair& column = columns[static_cast<std::size_t>(x)];
      const std::array<float, 4> a = at(column.First, row.First), b = at(column.Second, row.First);
      const std::array<float, 4> c = at(column.First, row.Second), d = at(column.Second, row.Second);
      std::uint32_t value = 0;
      for (int k = 0; k < 4; ++k) {
        const float top = a[k] + (b[k] - a[k]) * column.Weight;
        const float bottom = c[k] + (d[k] - c[k]) * column.Weight;
        const float mixed = top + (bottom - top) * row.Weight;
        value |= static_cast<std::uint32_t>(std::clamp(std::lround(mixed), 0L, 255L)) << (8 * k);
      }
      target[x] = value;
    }
  }
}

}  // namespace vd
