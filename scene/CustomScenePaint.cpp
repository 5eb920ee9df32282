// The drawing pass of a scene: damage in whole pixels, the pending rectangles, and the pass
// that clears the background and paints the root objects over them.

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/CustomScene.h"
#include "scene/ScaledCanvas.h"
#include "scene/layout/VisualObject.h"
#include "scene/paint/Scale.h"

namespace vd {

namespace {

// More pending rectangles than this are drawn as their union.
constexpr std::size_t kMostUpdateRects = 20;

TvgPixelRect Union(const std::vector<TvgPixelRect>& rects) {
  TvgPixelRect all = rects.front();
  for (const TvgPixelRect& r : rects)
    all = {std::min(all.Left, r.Left), std::min(all.Top, r.Top), std::max(all.Right, r.Right),
           std::max(all.Bottom, r.Bottom)};
  return all;
}

// Marks a pass as running, however it ends.
class TPassGuard {
public:
  explicit TPassGuard(bool& drawing) : FDrawing(drawing) { FDrawing = true; }
  ~TPassGuard() { FDrawing = false; }
  TPassGuard(const TPassGuard&) = delete;
  TPassGuard& operator=(const TPassGuard&) = delete;

private:
  bool& FDrawing;
};

}  // namespace

bool TvgCustomScene::Layered() const { return FTransparency && !IsDesigning() && FHost && FHost->ParentIsForm(); }

std::optional<TvgPixelRect> TvgCustomScene::DamageInPixels(const TvgRect& damage) const {
  const TvgRect r = ScaledRect(damage, FScale);
  if (std::isnan(r.Left) || std::isnan(r.Top) || std::isnan(r.Right) || std::isnan(r.Bottom)) return std::nullopt;
  if (r.Width() == 0 || r.Height() == 0) return std::nullopt;
  const auto clamp = [](float value, int high) {
    return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(high)));
  };
  const int width = ScaledLength(FWidth, FScale), height = ScaledLength(FHeight, FScale);
  const TvgPixelRect rect{clamp(std::trunc(r.Left), width), clamp(std::trunc(r.Top), height),
                          clamp(std::trunc(r.Right) + 1, width), clamp(std::trunc(r.Bottom) + 1, height)};
  if (rect.Empty()) return std::nullopt;
  return rect;
}

void TvgCustomScene::AddPendingRect(const TvgPixelRect& rect) { FUpdateRects.push_back(rect); }

std::vector<TvgPixelRect> TvgCustomScene::PaintScene(IvgCanvas& canvas) {
  if (FDrawing || FUpdateRects.empty()) return {};
  const TPassGuard guard(FDrawing);
  // Taken at the start: damage reported while the pass runs (a style applied, a trigger
  // animation started while painting) waits for the next pass.
  std::vector<TvgPixelRect> rects = std::exchange(FUpdateRects, {});
  if (rects.size() > kMostUpdateRects) rects.assign(1, Union(rects));
  std::optional<TvgScaledCanvas> scaled;
  IvgCanvas& target = FScale == 1 ? canvas : scaled.emplace(canvas, FScale);
  if (target.BeginScene()) {
    target.ClipToRects(rects);
    PaintBackground(target, rects);
    for (int i = 0; i < Count(); ++i) {
      TvgVisualObject* object = Children(i)->Visual();
      if (!object || !object->Visible()) continue;
      const TvgRect bounds = ScaledRect(object->AbsoluteRect(), FScale);
      if (std::any_of(rects.begin(), rects.end(), [&](const TvgPixelRect& r) { return r.Meets(bounds); }))
        object->PaintTo(target);
    }
    target.EndScene();
  }
  return rects;
}

void TvgCustomScene::PaintBackground(IvgCanvas& canvas, const std::vector<TvgPixelRect>& rects) {
  const TvgBrush& fill = *Fill();
  if (fill.Style() == vgBrushNone || (fill.Style() == vgBrushSolid && fill.Color() >> 24 == 0)) {
    // A transparent scene lets what lies behind show where no object draws.
    const TvgColor clear = FTransparency ? 0 : 0xFF000000 | fill.Color();
    for (const TvgPixelRect& rect : rects) canvas.ClearRect(rect, clear);
    return;
  }
  canvas.FillRect({-1, -1, static_cast<float>(FWidth + 1), static_cast<float>(FHeight + 1)}, fill.Color(), 1);
}

}  // namespace vd
