#include "scene/paint/Geometry.h"

#include <algorithm>
#include <cmath>

namespace vd {

TvgRect UnionRect(const TvgRect& a, const TvgRect& b) {
  const auto empty = [](const TvgRect& r) { return !(r.Width() > 0 && r.Height() > 0); };
  if (empty(a)) return b;
  if (empty(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

bool TvgPixelRect::Meets(const TvgRect& r) const {
  return r.Left < static_cast<float>(Right) && static_cast<float>(Left) < r.Right &&
         r.Top < static_cast<float>(Bottom) && static_cast<float>(Top) < r.Bottom;
}

TvgMatrix TvgMatrix::Translation(float dx, float dy) {
  TvgMatrix m;
  m.M31 = dx;
  m.M32 = dy;
  return m;
}

TvgMatrix TvgMatrix::operator*(const TvgMatrix& then) const {
  TvgMatrix m;
  m.M11 = M11 * then.M11 + M12 * then.M21;
  m.M12 = M11 * then.M12 + M12 * then.M22;
  m.M21 = M21 * then.M11 + M22 * then.M21;
  m.M22 = M21 * then.M12 + M22 * then.M22;
  m.M31 = M31 * then.M11 + M32 * then.M21 + then.M31;
  m.M32 = M31 * then.M12 + M32 * then.M22 + then.M32;
  return m;
}

TvgMatrix TvgMatrix::Inverse() const {
  const double det = static_cast<double>(M11) * M22 - static_cast<double>(M12) * M21;
  if (det == 0 || !std::isfinite(det)) return {};
  TvgMatrix m;
  m.M11 = static_cast<float>(M22 / det);
  m.M12 = static_cast<float>(-M12 / det);
  m.M21 = static_cast<float>(-M21 / det);
  m.M22 = static_cast<float>(M11 / det);
  m.M31 = static_cast<float>((static_cast<double>(M21) * M32 - static_cast<double>(M22) * M31) / det);
  m.M32 = static_cast<float>((static_cast<double>(M12) * M31 - static_cast<double>(M11) * M32) / det);
  return m;
}

TvgPoint TvgMatrix::Transform(TvgPoint p) const { return {p.X * M11 + p.Y * M21 + M31, p.X * M12 + p.Y * M22 + M32}; }

TvgRect TvgMatrix::Transform(const TvgRect& r) const {
  const TvgPoint corners[] = {Transform(TvgPoint{r.Left, r.Top}), Transform(TvgPoint{r.Right, r.Top}),
                              Transform(TvgPoint{r.Left, r.Bottom}), Transform(TvgPoint{r.Right, r.Bottom})};
  TvgRect out{corners[0].X, corners[0].Y, corners[0].X, corners[0].Y};
  for (const TvgPoint& p : corners) {
    out.Left = std::min(out.Left, p.X);
    out.Top = std::min(out.Top, p.Y);
    out.Right = std::max(out.Right, p.X);
    out.Bottom = std::max(out.Bottom, p.Y);
  }
  return out;
}

float RoundHalfEven(float value) {
  const double v = value;
  double whole = std::floor(v);
  const double fraction = v - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return std::isfinite(v) ? static_cast<float>(whole) : value;
}

float FitRect(TvgRect& S, const TvgRect& T) {
  if (T.Width() * T.Height() == 0) return 1;
  const float ratio = std::max(S.Width() / T.Width(), S.Height() / T.Height());
  if (ratio >= 1)
    S = {0, 0, RoundHalfEven(S.Width() / ratio), RoundHalfEven(S.Height() / ratio)};
  else
    S = {0, 0, S.Width(), S.Height()};
  CenterRect(S, T);
  return ratio;
}

void CenterRect(TvgRect& S, const TvgRect& T) {
  const float width = S.Width();
  const float height = S.Height();
  const float left = T.Left + RoundHalfEven((T.Width() - width) / 2);
  const float top = T.Top + RoundHalfEven((T.Height() - height) / 2);
  S = {left, top, left + width, top + height};
}

}  // namespace vd
