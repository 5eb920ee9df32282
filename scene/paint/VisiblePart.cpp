#include "scene/paint/VisiblePart.h"

#include <algorithm>
#include <cmath>

namespace vd {

namespace {

bool IsProper(const TvgRect& r) {
  return std::isfinite(r.Left) && std::isfinite(r.Top) && std::isfinite(r.Right) && std::isfinite(r.Bottom) &&
         r.Width() > 0 && r.Height() > 0;
}

}  // namespace

std::optional<TvgPicturePart> VisiblePart(const TvgRect& source, const TvgRect& destination, const TvgRect& visible) {
  if (!IsProper(source) || !IsProper(destination) || !IsProper(visible)) return std::nullopt;
  const TvgRect shown{std::max(destination.Left, visible.Left), std::max(destination.Top, visible.Top),
                      std::min(destination.Right, visible.Right), std::min(destination.Bottom, visible.Bottom)};
  if (shown.Width() <= 0 || shown.Height() <= 0) return std::nullopt;
  // In double precision: the destination's edges may lie far from the visible ones.
  const double scaleX = static_cast<double>(source.Width()) / destination.Width();
  const double scaleY = static_cast<double>(source.Height()) / destination.Height();
  const auto x = [&](float at) {
    return static_cast<float>(source.Left + (at - static_cast<double>(destination.Left)) * scaleX);
  };
  const auto y = [&](float at) {
    return static_cast<float>(source.Top + (at - static_cast<double>(destination.Top)) * scaleY);
  };
  return TvgPicturePart{{x(shown.Left), y(shown.Top), x(shown.Right), y(shown.Bottom)}, shown};
}

}  // namespace vd
