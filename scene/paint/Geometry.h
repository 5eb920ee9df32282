#pragma once
// Geometry of the scene toolkit, in single precision as it is stored: points, rectangles
// (left, top, right, bottom) and 2-D affine matrices; and the fitting and centring of one
// rectangle in another that layout and picture drawing share. Where the toolkit rounds, it
// rounds half to even.

namespace vd {

struct TvgPoint {
  float X = 0;
  float Y = 0;
  bool operator==(const TvgPoint&) const = default;
};

struct TvgRect {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  bool operator==(const TvgRect&) const = default;
};

// A rectangle of whole pixels, right and bottom exclusive: what a drawing pass clears, clips
// to and copies out, and a window's bounds on the screen.
struct TvgPixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Left >= Right || Top >= Bottom; }
  // Whether a rectangle of scene pixels overlaps it (touching edges do not).
  bool Meets(const TvgRect& rect) const;
  bool operator==(const TvgPixelRect&) const = default;
};

// The smallest rectangle that holds both (an empty one, of no width or height, counts as nothing).
TvgRect UnionRect(const TvgRect& a, const TvgRect& b);

// Row-vector affine matrix: a point (x, y) maps to (x·M11 + y·M21 + M31, x·M12 + y·M22 + M32).
struct TvgMatrix {
  float M11 = 1, M12 = 0;
  float M21 = 0, M22 = 1;
  float M31 = 0, M32 = 0;

  static TvgMatrix Translation(float dx, float dy);
  // This transform followed by `then`.
  TvgMatrix operator*(const TvgMatrix& then) const;
  TvgPoint Transform(TvgPoint point) const;
  // The transform back; a matrix that flattens the plane (determinant 0) gives the identity.
  TvgMatrix Inverse() const;
  // The bounding box of the transformed corners.
  TvgRect Transform(const TvgRect& rect) const;
  bool operator==(const TvgMatrix&) const = default;
};

// Round half to even, whatever the floating-point rounding mode; infinities and NaN stay.
float RoundHalfEven(float value);

// Fits S into T: when T has no area, S stays and the ratio is 1. Otherwise the ratio is the
// larger of width(S)/width(T) and height(S)/height(T); a ratio of 1 or more scales S down to
// (0, 0, Round(width/ratio), Round(height/ratio)), a smaller one keeps its size at the
// origin; then S is centred in T. Answers the ratio.
float FitRect(TvgRect& S, const TvgRect& T);
// Moves S to the origin, then by Round((width(T) - width(S)) / 2), Round((height(T) -
// height(S)) / 2), then by T's top-left corner.
void CenterRect(TvgRect& S, const TvgRect& T);

}  // namespace vd
