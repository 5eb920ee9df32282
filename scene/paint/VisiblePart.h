#pragma once
// What of a picture drawn from `source` (in its pixels) into `destination` can be seen inside
// `visible`: the destination cut to it, and the source cut in proportion. A canvas scales and
// draws only that, so that a picture stretched far beyond the window (a stored form may ask
// for 20 000 × 20 000) costs what the window shows, and no coordinate grows beyond it.

#include <optional>

#include "scene/paint/Geometry.h"

namespace vd {

struct TvgPicturePart {
  TvgRect Source;
  TvgRect Destination;
};

// None when nothing of it shows, or when a rectangle is not finite or has no positive width
// and height.
std::optional<TvgPicturePart> VisiblePart(const TvgRect& source, const TvgRect& destination, const TvgRect& visible);

}  // namespace vd
