#pragma once
// The scene's canvas drawn with cairo on Linux, for pictures of stored scenes without Windows:
// an image of premultiplied ARGB pixels like the Windows buffer, drawn with the rules of the
// Windows canvas (smoothed edges, pixels as unit squares, source-over compositing, pictures
// resampled smoothly unless nearest pixels are asked for, text in grey smoothing laid out in
// its rectangle and clipped to it). Text is shaped by pango with the given fonts and set as
// the Windows canvas sets it (scene/cairo/CairoTextLines.h): fully hinted glyphs, each
// advancing by its hinted width, on whole pixels, lines placed by the fonts' Windows metrics.
// A picture is decoded once and kept with it.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scene/Canvas.h"
#include "scene/cairo/CairoFonts.h"

namespace vd::cairo {

class TvgCairoCanvas : public IvgCanvas {
public:
  // A transparent image of the size (at least 1 × 1), drawn with the fonts, which must
  // outlive the canvas.
  TvgCairoCanvas(int width, int height, const TvgCairoFonts& fonts);
  ~TvgCairoCanvas() override;
  TvgCairoCanvas(const TvgCairoCanvas&) = delete;
  TvgCairoCanvas& operator=(const TvgCairoCanvas&) = delete;

  int Width() const;
  int Height() const;
  // The pixel at (x, y) as premultiplied 0xAARRGGBB.
  std::uint32_t Pixel(int x, int y) const;
  // Raises std::runtime_error when the file cannot be written.
  void WritePng(const std::string& path) const;

  bool BeginScene() override;
  // Raises std::runtime_error naming cairo's error when cairo refused something the scene
  // drew (cairo draws nothing after its first error, and goes on refusing).
  void EndScene() override;
  void ClipToRects(std::span<const TvgPixelRect> rects) override;
  void ClearRect(const TvgPixelRect& rect, TvgColor color) override;
  void SetMatrix(const TvgMatrix& matrix) override;
  void SaveState() override;
  void RestoreState() override;
  void IntersectClipRect(const TvgRect& rect) override;
  void FillRect(const TvgRect& rect, TvgColor color, float opacity) override;
  void DrawRect(const TvgRect& rect, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) override;
  void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                  bool interpolate) override;
  void FillText(const TvgRect& rect, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                float opacity) override;

private:
  void SetSource(TvgColor color, float opacity);

  const TvgCairoFonts& FFonts;
  cairo_surface_t* FSurface;
  cairo_t* FCairo;
  // cairo_save/cairo_restore pairs still open, so that a new pass starts from none.
  int FSavedStates = 0;
};

}  // namespace vd::cairo
