// The drawing pass of a scene: damage in whole pixels, the pending rectangles, and the pass
// that clears the background and paints the root objects over them.

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/CustomScene.h"
#include "scene/layout/VisualObject.h"

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

std::optional<TvgPixelRect> TvgCustomScene::DamageInPixels(const TvgRect& r) const {
  if (std::isnan(r.Left) || std::isnan(r.Top) || std::isnan(r.Right) || std::isnan(r.Bottom)) return std::nullopt;
  if (r.Width() == 0 || r.Height() == 0) return std::nullopt;
  const auto clamp = [](float value, int high) {
    return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(high)));
  };
  const TvgPixelRect rect{clamp(std::trunc(r.Left), FWidth), clamp(std::trunc(r.Top), FHeight),
                          clamp(std::trunc(r.Right) + 1, FWidth), clamp(std::trunc(r.Bottom) + 1, FHeight)};
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
  if (canvas.BeginScene()) {
    canvas.ClipToRects(rects);
    PaintBackground(canvas, rects);
    for (int i = 0; i < Count(); ++i) {
      TvgVisualObject* object = Children(i)->Visual();
      if (!object || !object->Visible()) continue;
      const TvgRect bounds = object->AbsoluteRect();
      if (std::any_of(rects.begin(), rects.end(), [&](const TvgPixelRect& r) { return r.Meets(bounds); }))
        object->PaintTo(canvas);
    }
    canvas.EndScene();
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
