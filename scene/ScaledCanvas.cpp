#include "scene/ScaledCanvas.h"

#include "scene/paint/Scale.h"

namespace vd {

TvgMatrix TvgScaledCanvas::Scaled() const {
  TvgMatrix scaling;
  scaling.M11 = scaling.M22 = FScale;
  return FMatrix * scaling;
}

bool TvgScaledCanvas::BeginScene() {
  if (!FCanvas.BeginScene()) return false;
  FSaved.clear();
  SetMatrix({});
  return true;
}

void TvgScaledCanvas::ClipToRects(std::span<const TvgPixelRect> rects) {
  // In pixels: set while the canvas beneath draws one to one.
  FCanvas.SetMatrix({});
  FCanvas.ClipToRects(rects);
  FCanvas.SetMatrix(Scaled());
}

void TvgScaledCanvas::SetMatrix(const TvgMatrix& matrix) {
  FMatrix = matrix;
  FCanvas.SetMatrix(Scaled());
}

void TvgScaledCanvas::SaveState() {
  FSaved.push_back(FMatrix);
  FCanvas.SaveState();
}

void TvgScaledCanvas::RestoreState() {
  if (FSaved.empty()) return;
  FMatrix = FSaved.back();
  FSaved.pop_back();
  FCanvas.RestoreState();
}

void TvgScaledCanvas::DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination,
                                 float opacity, bool interpolate) {
  const TvgMatrix m = Scaled();
  const bool upright = m.M12 == 0 && m.M21 == 0 && m.M11 > 0 && m.M22 > 0;
  if (!upright || destination.Width() < 0 || destination.Height() < 0) {
    FCanvas.DrawBitmap(bitmap, source, destination, opacity, interpolate);
    return;
  }
  const TvgRect place = OnWholePixels(m.Transform(destination));
  if (place.Width() <= 0 || place.Height() <= 0) return;
  FCanvas.SetMatrix({});
  FCanvas.DrawBitmap(bitmap, source, place, opacity, interpolate);
  FCanvas.SetMatrix(m);
}

}  // namespace vd
