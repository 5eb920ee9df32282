#pragma once
// The scene's canvas: GDI+ drawing into the scene's buffer (scene/win32/SceneBuffer.h), whose
// pixels GDI+ sees as premultiplied ARGB, with the toolkit's settings (high-quality smoothing
// and interpolation, half-pixel offset, source-over compositing, text contrast 2). Only the
// part of a picture that the buffer shows is drawn (scene/paint/VisiblePart.h). A picture
// drawn scaled at whole pixels is decoded and scaled once (made smaller smoothly, it is
// averaged: scene/paint/AreaAverage.h; made larger smoothly, scene/paint/Enlarge.h), and only
// the scaled copy is kept with it, copied while it is drawn the same way (the About window's
// background is drawn scaled on every pass); a picture drawn otherwise is decoded once and
// kept whole. What the canvas keeps with pictures goes with the canvas, and the GDI+ session
// with the last of it. Without GDI+ nothing is drawn: every pass fails to begin.

#include <memory>
#include <vector>

#include "scene/Canvas.h"
#include "scene/paint/AreaAverage.h"
#include "scene/win32/GdiPlus.h"
#include "scene/win32/SceneBuffer.h"

namespace vd::win32 {

class TvgGdiPlusCanvas : public IvgCanvas {
public:
  TvgGdiPlusCanvas();
  ~TvgGdiPlusCanvas() override;
  TvgGdiPlusCanvas(const TvgGdiPlusCanvas&) = delete;
  TvgGdiPlusCanvas& operator=(const TvgGdiPlusCanvas&) = delete;

  const TvgSceneBuffer& Buffer() const { return FBuffer; }
  // Nothing for an unchanged size; otherwise rebuilds the buffer and the drawing on it
  // (errors as TvgSceneBuffer::Resize).
  void ResizeBuffer(int width, int height);

  // Copies the rectangle of the buffer to the same place of `target`.
  void FlushBufferRect(HDC target, const RECT& rect) const { FBuffer.CopyTo(target, rect); }

  // IvgCanvas; without GDI+ or a buffer no pass begins.
  bool BeginScene() override;
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
  struct TDecodedPicture;
  // What the canvas keeps with the picture, made on first need.
  TDecodedPicture& Decoded(const TvgBitmap& bitmap);
  // Calls `use` with the picture decoded from its data; marks it undecodable when it is not.
  template <class TUse>
  void Decode(TDecodedPicture& picture, const TUse& use);
  // The whole picture as premultiplied ARGB, decoded once and kept; none when it does not
  // decode.
  Gdiplus::GpImage* Whole(TDecodedPicture& picture);
  // The part `source` of the picture scaled to width × height, made when it was drawn
  // otherwise last time; none when it cannot be made, which is not tried again until it is
  // drawn otherwise.
  Gdiplus::GpImage* Scaled(TDecodedPicture& picture, const TvgRect& source, int width, int height, bool interpolate);
  // Reduces or enlarges the part `source` of the whole picture into the scaled one of
  // width × height.
  using TResampler = void (*)(const TvgPixelBlock& from, const TvgRect& source, const TvgPixelBlock& to);
  bool Resample(Gdiplus::GpBitmap* whole, const TvgRect& source, Gdiplus::GpBitmap* scaled, int width, int height,
                TResampler resample);
  void DrawImage(Gdiplus::GpImage* image, const TvgRect& source, const TvgRect& destination, float opacity,
                 bool interpolate);
  TGdiPlusObject<Gdiplus::GpGraphics> GraphicsOn(Gdiplus::GpImage* image);

  std::shared_ptr<TGdiPlus> FGdiPlus;
  // The pictures that hold what this canvas decoded; each takes itself off when it goes.
  std::vector<TDecodedPicture*> FDecoded;
  TvgSceneBuffer FBuffer;
  // GDI+'s view of the buffer's pixels, and the drawing on it; freed before the buffer.
  TGdiPlusObject<Gdiplus::GpImage> FTarget;
  TGdiPlusObject<Gdiplus::GpGraphics> FGraphics;
  TGdiPlusObject<Gdiplus::GpMatrix> FMatrix;
  // The matrix now, and with each saved state the matrix it had.
  TvgMatrix FCurrent;
  std::vector<std::pair<Gdiplus::GraphicsState, TvgMatrix>> FStates;
};

}  // namespace vd::win32
