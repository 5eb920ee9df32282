#pragma once
// How closely the program's GDI+ canvas, under Wine, draws a stored scene as the cairo canvas
// of the golden pictures does (tests/scene/win32/CanvasCrossCheckTest.cpp; the end-to-end
// tests hold screenshots to the same).

namespace vd::picture_test {

// A channel may be off by this much before a pixel counts as different.
inline constexpr int kCanvasThreshold = 48;
// Outside the texts, of the About window's 504 x 400 pixels (four times as many at scale 2):
// both canvases reduce pictures by averaging, enlarge them bilinearly and draw the same shapes
// (measured: none off, the largest channel difference 2, 3 in the notice at scale 2).
inline constexpr int kCanvasShapeAllowed = 20;
inline constexpr int kCanvasOutsideAllowed = 20;
// Inside the texts' rectangles, as a share of their area (measured: 0.11 at scale 1, 0.09 at
// 2): the two text engines space and smooth letters differently.
inline constexpr double kCanvasTextShareAllowed = 0.2;

}  // namespace vd::picture_test
