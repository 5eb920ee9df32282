#pragma once
// Pictures made larger smoothly: each target pixel mixes the four source pixels around the
// point its centre comes from, each by how near it is (bilinear). Beyond the picture's edges
// there is nothing: an enlarged picture's outermost pixels are smoothed into transparency, as
// cairo draws a picture that does not repeat. Channels are mixed as they are stored, so
// premultiplied pixels stay premultiplied.

#include "scene/paint/AreaAverage.h"
#include "scene/paint/Geometry.h"

namespace vd {

// Enlarges the part `source` of `from` (in its pixels) to the whole of `to`, which must be no
// smaller than the part in either direction.
void EnlargeSmoothly(const TvgPixelBlock& from, const TvgRect& source, const TvgPixelBlock& to);

}  // namespace vd
