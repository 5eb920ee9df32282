#pragma once
// Two drawings of a scene compared pixel by pixel, as premultiplied ARGB: how many pixels
// differ by more than a threshold, in the alpha channel alone (the shape) or in any channel,
// inside or outside a set of regions (where texts are, which two text engines lay out and
// smooth differently); and where a text's ink lies and how bright it is.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "scene/paint/Geometry.h"

namespace vd::picture_test {

struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // rows top to bottom
};

struct TPictureDifference {
  int ShapeOff = 0;        // pixels whose alpha differs by more than the threshold
  int OutsideOff = 0;      // pixels outside the regions with a channel that differs so
  int InsideOff = 0;       // pixels inside the regions with a channel off by more than theirs
  int LargestOutside = 0;  // the largest channel difference outside the regions
  int LargestInside = 0;   // and inside them
  int LargestShape = 0;    // the largest alpha difference
};

inline int ChannelDifference(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
}

inline int LargestDifference(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (const int shift : {0, 8, 16, 24}) largest = std::max(largest, ChannelDifference(a, b, shift));
  return largest;
}

// A text's ink: the pixels of its rectangle that a drawing has beyond the same drawing
// without its texts, by at least a quarter of the most that any pixel there has.
struct TTextInk {
  bool Any = false;
  double Middle = 0;  // the ink's centre from top to bottom, each pixel weighted by its ink
  int Left = 0;       // the first and the last column with ink
  int Right = 0;
  int Brightest = 0;  // the brightest colour channel of a pixel with ink
  int Width() const { return Right - Left + 1; }
};

inline TTextInk InkOf(const TPicture& drawn, const TPicture& background, const TvgRect& text) {
  const int left = std::max(0, static_cast<int>(std::floor(text.Left)));
  const int top = std::max(0, static_cast<int>(std::floor(text.Top)));
  const int right = std::min(drawn.Width, static_cast<int>(std::ceil(text.Right)));
  const int bottom = std::min(drawn.Height, static_cast<int>(std::ceil(text.Bottom)));
  const auto ink = [&](int x, int y) {
    const std::size_t at = static_cast<std::size_t>(y) * drawn.Width + x;
    return LargestDifference(drawn.Pixels[at], background.Pixels[at]);
  };
  int most = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) most = std::max(most, ink(x, y));
  TTextInk found;
  double weights = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const int weight = ink(x, y);
      if (weight == 0 || weight < most / 4) continue;
      found.Left = found.Any ? std::min(found.Left, x) : x;
      found.Right = found.Any ? std::max(found.Right, x) : x;
      found.Any = true;
      found.Middle += weight * (y + 0.5);
      weights += weight;
      const std::uint32_t pixel = drawn.Pixels[static_cast<std::size_t>(y) * drawn.Width + x];
      for (const int shift : {0, 8, 16})
        found.Brightest = std::max(found.Brightest, static_cast<int>(pixel >> shift & 0xFF));
    }
  if (found.Any) found.Middle /= weights;
  return found;
}

// A channel may differ by `threshold` before a pixel counts, inside the regions by
// `insideThreshold`. Pictures of different sizes differ everywhere.
inline TPictureDifference Difference(const TPicture& a, const TPicture& b, int threshold,
                                     std::span<const TvgRect> regions = {}, int insideThreshold = 0) {
  TPictureDifference difference;
  if (a.Width != b.Width || a.Height != b.Height) {
    difference.ShapeOff = difference.OutsideOff = std::max(a.Width * a.Height, b.Width * b.Height);
    return difference;
  }
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      const std::uint32_t p = a.Pixels[y * a.Width + x], q = b.Pixels[y * b.Width + x];
      const int largest = LargestDifference(p, q);
      const int shape = ChannelDifference(p, q, 24);
      difference.ShapeOff += shape > threshold;
      difference.LargestShape = std::max(difference.LargestShape, shape);
      bool inside = false;
      for (const TvgRect& r : regions)
        inside = inside || (x + 0.5f >= r.Left && x + 0.5f < r.Right && y + 0.5f >= r.Top && y + 0.5f < r.Bottom);
      if (inside) {
        difference.InsideOff += largest > insideThreshold;
        difference.LargestInside = std::max(difference.LargestInside, largest);
      } else {
        difference.OutsideOff += largest > threshold;
        difference.LargestOutside = std::max(difference.LargestOutside, largest);
      }
    }
  return difference;
}

}  // namespace vd::picture_test
