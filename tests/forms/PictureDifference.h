#pragma once
// Two drawings of a scene compared pixel by pixel, as premultiplied ARGB: how many pixels
// differ by more than a threshold, in the alpha channel alone (the shape) or in any channel,
// inside or outside a set of regions (where texts are, which two text engines lay out and
// smooth differently).

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
  int ShapeOff = 0;         // pixels whose alpha differs by more than the threshold
  int OutsideOff = 0;       // pixels outside the regions with a channel that differs so
  int InsideOff = 0;        // the same inside the regions
  int LargestOutside = 0;   // the largest channel difference outside the regions
};

inline int ChannelDifference(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
}

// Pictures of different sizes differ everywhere.
inline TPictureDifference Difference(const TPicture& a, const TPicture& b, int threshold,
                                     std::span<const TvgRect> regions = {}) {
  TPictureDifference difference;
  if (a.Width != b.Width || a.Height != b.Height) {
    difference.ShapeOff = difference.OutsideOff = std::max(a.Width * a.Height, b.Width * b.Height);
    return difference;
  }
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      const std::uint32_t p = a.Pixels[y * a.Width + x], q = b.Pixels[y * b.Width + x];
      int largest = 0;
      for (const int shift : {0, 8, 16, 24}) largest = std::max(largest, ChannelDifference(p, q, shift));
      if (ChannelDifference(p, q, 24) > threshold) ++difference.ShapeOff;
      bool inside = false;
      for (const TvgRect& r : regions)
        inside = inside || (x + 0.5f >= r.Left && x + 0.5f < r.Right && y + 0.5f >= r.Top && y + 0.5f < r.Bottom);
      if (inside) {
        difference.InsideOff += largest > threshold;
      } else {
        difference.OutsideOff += largest > threshold;
        difference.LargestOutside = std::max(difference.LargestOutside, largest);
      }
    }
  return difference;
}

}  // namespace vd::picture_test
