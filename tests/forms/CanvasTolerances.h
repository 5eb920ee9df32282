#pragma once
// How closely the program's GDI+ canvas, under Wine, draws a stored scene as the cairo canvas
// of the golden pictures does (tests/scene/win32/CanvasCrossCheckTest.cpp; the end-to-end
// tests hold screenshots to the same).

namespace vd::picture_test {

// Outside the texts a channel may be off by this much before a pixel counts as different
// (measured: 2 at most, 3 in the notice at scale 2), and no pixel may be: both canvases reduce
// pictures by averaging, enlarge them bilinearly and draw the same shapes.
inline constexpr int kCanvasThreshold = 4;
inline constexpr int kCanvasShapeAllowed = 0;
inline constexpr int kCanvasOutsideAllowed = 0;
// Inside the texts' rectangles a channel may be off by this much, in a fifth of their area
// (measured: about a tenth): the two text engines smooth letters differently.
inline constexpr int kCanvasTextThreshold = 48;
inline constexpr double kCanvasTextShareAllowed = 0.2;
// Each text's line: its ink's centre within a pixel from top to bottom, its width within 2 %,
// its brightest pixel within 16 levels.
inline constexpr double kCanvasLineOffAllowed = 1;
inline constexpr double kCanvasWidthShareAllowed = 0.02;
inline constexpr int kCanvasBrightnessAllowed = 16;

}  // namespace vd::picture_test
