#pragma once
// What scene objects draw on. A scene's drawing pass runs between BeginScene and EndScene:
// it clips to the damaged pixels, clears or fills the background, then paints each object
// through Paint(canvas) after setting the canvas's matrix to the object's absolute
// transform, so objects draw in their local coordinates. The window's GDI+ canvas implements
// it; tests record the calls.

#include <span>
#include <string>
#include <string_view>

#include "scene/paint/Colors.h"
#include "scene/paint/Geometry.h"

namespace vd {

class TvgBitmap;

// Stored by these value names (TextAlign = vgTextAlignNear).
enum TvgTextAlign { vgTextAlignCenter, vgTextAlignNear, vgTextAlignFar };

enum TvgStrokeDash { vgDashSolid, vgDashDash };

struct TvgTextFormat {
  std::u16string Family;
  float Size = 11;  // in pixels at 96 dots per inch
  bool Bold = false;
  bool Italic = false;
  TvgTextAlign Horizontal = vgTextAlignCenter;
  TvgTextAlign Vertical = vgTextAlignCenter;
  bool WordWrap = false;
};

class IvgCanvas {
public:
  virtual ~IvgCanvas() = default;

  // A drawing pass: BeginScene starts from no clip and the identity matrix, and answers
  // whether there is anything to draw with; EndScene leaves what was drawn in the pixels.
  virtual bool BeginScene() = 0;
  virtual void EndScene() = 0;
  // Restricts drawing to these rectangles together, in the canvas's pixels.
  virtual void ClipToRects(std::span<const TvgPixelRect> rects) = 0;
  // Sets the rectangle's pixels to the colour, alpha included, without blending.
  virtual void ClearRect(const TvgPixelRect& rect, TvgColor color) = 0;

  // Maps the coordinates of what is drawn next to the canvas's pixels.
  virtual void SetMatrix(const TvgMatrix& matrix) = 0;
  // Saves the matrix and the clip; RestoreState brings back what the matching call saved.
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;
  virtual void IntersectClipRect(const TvgRect& rect) = 0;

  // Opacity runs from 0 (nothing shows) to 1 and multiplies the colour's own alpha.
  virtual void FillRect(const TvgRect& rect, TvgColor color, float opacity) = 0;
  virtual void DrawRect(const TvgRect& rect, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) = 0;
  // Draws the part `source` of the picture (in its pixels) into `destination`; without
  // interpolation the nearest pixel is taken.
  virtual void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                          bool interpolate) = 0;
  // Lays the text out in the rectangle as the format says.
  virtual void FillText(const TvgRect& rect, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                        float opacity) = 0;
};

}  // namespace vd
