#pragma once
// Drawing at a screen's scale. A scene is laid out in its form's units and drawn on a screen
// of some DPI at scale = DPI / 96: one unit is `scale` pixels wide. Sizes and places of whole
// pixels are the units times the scale, rounded half to even; a point of a window's pixels is
// that point divided by the scale in the form's units.

#include "scene/paint/Geometry.h"

namespace vd {

// The DPI at which one unit is one pixel.
inline constexpr unsigned kUnitDpi = 96;

// DPI / 96; 1 for a DPI of 0, which the system gives when it cannot tell.
float ScaleForDpi(unsigned dpi);
// A length of whole units in whole pixels.
int ScaledLength(int length, float scale);
// Each edge times the scale.
TvgRect ScaledRect(const TvgRect& rect, float scale);
// A point of a window's pixels in the units of its scene.
TvgPoint UnscaledPoint(TvgPoint pixels, float scale);
// The rectangle moved and sized to whole pixels: its left and top edges rounded, and its width
// and height, so that a rectangle of a whole size keeps it wherever it lies.
TvgRect OnWholePixels(const TvgRect& rect);

}  // namespace vd
