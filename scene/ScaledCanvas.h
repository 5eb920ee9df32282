#pragma once
// A canvas seen at a scale: what a scene's objects draw in their form's units lands on the
// canvas beneath `scale` times as large, texts included (their sizes are units like any
// other). The rectangles of whole pixels that a pass clips to and clears are the canvas's
// own and pass as they are. A picture drawn upright (neither rotated nor mirrored) lands on
// whole pixels: the canvas beneath draws it from its full picture into its place rounded to
// whole pixels (scaling it as it does any picture: averaged when smaller, smoothly when
// larger), so that it stays sharp where a unit is a fraction of a pixel wide.

#include <vector>

#include "scene/Canvas.h"

namespace vd {

class TvgScaledCanvas final : public IvgCanvas {
public:
  // Draws on `canvas`, which must outlive it; the scale is positive.
  TvgScaledCanvas(IvgCanvas& canvas, float scale) : FCanvas(canvas), FScale(scale) {}

  bool BeginScene() override;
  void EndScene() override { FCanvas.EndScene(); }
  void ClipToRects(std::span<const TvgPixelRect> rects) override;
  void ClearRect(const TvgPixelRect& rect, TvgColor color) override { FCanvas.ClearRect(rect, color); }
  void SetMatrix(const TvgMatrix& matrix) override;
  void SaveState() override;
  void RestoreState() override;
  void IntersectClipRect(const TvgRect& rect) override { FCanvas.IntersectClipRect(rect); }
  void FillRect(const TvgRect& rect, TvgColor color, float opacity) override { FCanvas.FillRect(rect, color, opacity); }
  void DrawRect(const TvgRect& rect, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) override {
    FCanvas.DrawRect(rect, color, thickness, dash, opacity);
  }
  void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                  bool interpolate) override;
  void FillText(const TvgRect& rect, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                float opacity) override {
    FCanvas.FillText(rect, text, format, color, opacity);
  }

private:
  // The matrix set now, followed by the scale: what the canvas beneath draws with.
  TvgMatrix Scaled() const;

  IvgCanvas& FCanvas;
  float FScale;
  TvgMatrix FMatrix;
  std::vector<TvgMatrix> FSaved;
};

}  // namespace vd
