#pragma once
// Pictures made smaller by averaging: each target pixel is the mean of the source pixels it
// covers, each weighted by the share of it that is covered. That is what a high-quality
// reduction gives (no pixel is skipped, so fine lines do not flicker or vanish), at a small
// part of the cost of resampling with a filter. Channels are averaged as they are stored, so
// premultiplied pixels stay premultiplied.

#include <cstdint>

#include "scene/paint/Geometry.h"

namespace vd {

struct TvgPixelBlock {
  std::uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // in pixels
};

// Reduces the part `source` of `from` (in its pixels, cut to it) to the whole of `to`, which
// must be no larger than the part in either direction; a part that is not finite leaves
// `to` as it is.
void ReduceByAreaAverage(const TvgPixelBlock& from, const TvgRect& source, const TvgPixelBlock& to);

}  // namespace vd
