#include "scene/paint/Scale.h"

#include <limits>

namespace vd {

float ScaleForDpi(unsigned dpi) { return dpi == 0 ? 1.0f : static_cast<float>(dpi) / kUnitDpi; }

int ScaledLength(int length, float scale) {
  // Kept inside int, however large a stored length.
  const float pixels = RoundHalfEven(static_cast<float>(length) * scale);
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  if (pixels >= kLimit) return std::numeric_limits<int>::max();
  if (pixels <= -kLimit) return std::numeric_limits<int>::min();
  return static_cast<int>(pixels);
}

TvgRect ScaledRect(const TvgRect& r, float scale) {
  return {r.Left * scale, r.Top * scale, r.Right * scale, r.Bottom * scale};
}

TvgPoint UnscaledPoint(TvgPoint pixels, float scale) { return {pixels.X / scale, pixels.Y / scale}; }

TvgRect OnWholePixels(const TvgRect& r) {
  const float left = RoundHalfEven(r.Left);
  const float top = RoundHalfEven(r.Top);
  return {left, top, left + RoundHalfEven(r.Width()), top + RoundHalfEven(r.Height())};
}

}  // namespace vd
