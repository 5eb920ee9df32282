// The layout of a visual object's aligned children: docked to the edges of the available
// rectangle R, stretched across it, centred in it, scaled with the object or fitted into
// it, kind after kind in a fixed order. Positions and sizes are written straight into the
// children's fields, so that one pass starts no other pass of the same object.

#include <algorithm>
#include <cmath>
#include <limits>

#include "scene/layout/VisualObject.h"

namespace vd {

namespace {

constexpr TvgAlign kLayoutOrder[] = {vaMostTop,  vaMostBottom, vaMostLeft,   vaMostRight,  vaTop,      vaBottom,
                                     vaLeft,     vaRight,      vaClient,     vaHorizontal, vaVertical, vaContents,
                                     vaCenter,   vaHorzCenter, vaVertCenter, vaScale,      vaFit,      vaFitLeft,
                                     vaFitRight, vaTopRight,   vaBottomLeft, vaBottomRight};

bool Among(TvgAlign kind, std::initializer_list<TvgAlign> kinds) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// A NaN coordinate sorts as the largest value, so that the order stays a strict one.
float SortKey(float value) { return std::isnan(value) ? std::numeric_limits<float>::infinity() : value; }

struct TAlignGuard {
  bool& Flag;
  explicit TAlignGuard(bool& flag) : Flag(flag) { Flag = true; }
  ~TAlignGuard() { Flag = false; }
};

}  // namespace

void TvgVisualObject::Realign() {
  if (Destroying()) return;
  if ((FWidth > -2 && FWidth < 2) || (FHeight > -2 && FHeight < 2)) return;
  if (FDisableDefaultAlign || FDisableAlign || FUpdating > 0) return;
  if (IsLoading()) {
    FLastWidth = FWidth;
    FLastHeight = FHeight;
    return;
  }
  if (!FNeedAlign || ChildrenCount() == 0) return;

  const TAlignGuard guard(FDisableAlign);
  TvgRect R = FMargins->MarginRect(LocalRect());
  for (const TvgAlign kind : kLayoutOrder) {
    std::vector<TvgVisualObject*> children;
    for (TvgObject* child : ChildList())
      if (TvgVisualObject* visual = child->Visual(); visual && visual->FVisible && visual->FAlign == kind)
        children.push_back(visual);
    // Top and left edges stack by ascending Y or X, a later child after equal ones; bottom
    // and right edges by descending far edge, a later child before equal ones.
    const auto y = [](const TvgVisualObject* c) { return SortKey(c->FPosition->Y()); };
    const auto x = [](const TvgVisualObject* c) { return SortKey(c->FPosition->X()); };
    const auto bottom = [](const TvgVisualObject* c) { return SortKey(c->FPosition->Y() + c->FHeight); };
    const auto right = [](const TvgVisualObject* c) { return SortKey(c->FPosition->X() + c->FWidth); };
    const auto ascending = [&](auto key) {
      std::stable_sort(children.begin(), children.end(), [&](auto* a, auto* b) { return key(a) < key(b); });
    };
    const auto descending = [&](auto key) {
      std::reverse(children.begin(), children.end());
      std::stable_sort(children.begin(), children.end(), [&](auto* a, auto* b) { return key(a) > key(b); });
    };
    if (kind == vaTop || kind == vaMostTop) ascending(y);
    if (kind == vaLeft || kind == vaMostLeft) ascending(x);
    if (kind == vaBottom || kind == vaMostBottom) descending(bottom);
    if (kind == vaRight || kind == vaMostRight) descending(right);

    for (TvgVisualObject* child : children) {
      if (Among(kind, {vaContents, vaScale, vaFit, vaFitLeft, vaFitRight, vaTopRight, vaBottomLeft, vaBottomRight}))
        LayOutScaled(*child, kind);
      else
        LayOutChild(*child, kind, R);
    }
  }
  FLastWidth = FWidth;
  FLastHeight = FHeight;
  Repaint();
}

void TvgVisualObject::RealignFrom(float lastWidth, float lastHeight) {
  FLastWidth = lastWidth;
  FLastHeight = lastHeight;
  Realign();
}

void TvgVisualObject::LayOutChild(TvgVisualObject& child, TvgAlign kind, TvgRect& R) {
  const TvgRect pad = child.FPadding->Rect();
  const float outerWidth = child.FWidth + pad.Left + pad.Right;
  const float outerHeight = child.FHeight + pad.Top + pad.Bottom;
  const float givenWidth =
      Among(kind, {vaLeft, vaRight, vaMostLeft, vaMostRight, vaVertical}) || R.Width() < 0 ? outerWidth : R.Width();
  const float givenHeight = Among(kind, {vaTop, vaBottom, vaMostTop, vaMostBottom, vaHorizontal}) || R.Height() < 0
                                ? outerHeight
                                : R.Height();
  float left = kind == vaVertical ? child.FPosition->X() - pad.Left : R.Left;
  float top = kind == vaHorizontal ? child.FPosition->Y() - pad.Top : R.Top;
  float width = givenWidth;
  float height = givenHeight;
  switch (kind) {
    case vaTop:
    case vaMostTop:
      R.Top += outerHeight;
      break;
    case vaBottom:
    case vaMostBottom:
      top = R.Bottom - outerHeight;
      R.Bottom = top;
      break;
    case vaLeft:
    case vaMostLeft:
      R.Left += outerWidth;
      break;
    case vaRight:
    case vaMostRight:
      left = R.Right - outerWidth;
      R.Right = left;
      break;
    case vaCenter:
      width = outerWidth;
      height = outerHeight;
      left = R.Left + std::trunc((R.Width() - outerWidth) / 2);
      top = R.Top + std::trunc((R.Height() - outerHeight) / 2);
      break;
    case vaHorzCenter:
      width = outerWidth;
      left = R.Left + std::trunc((R.Width() - outerWidth) / 2);
      break;
    case vaVertCenter:
      height = outerHeight;
      top = R.Top + std::trunc((R.Height() - outerHeight) / 2);
      break;
    default:  // vaClient, vaHorizontal, vaVertical: the given sizes
      break;
  }
  child.FPosition->SetPointQuietly({left + pad.Left, top + pad.Top});
  const float newWidth = width - pad.Left - pad.Right;
  const float newHeight = height - pad.Top - pad.Bottom;
  if (newWidth != child.FWidth || newHeight != child.FHeight) {
    child.FWidth = newWidth;
    child.FHeight = newHeight;
    child.Realign();
  }
  child.Repaint();
}

void TvgVisualObject::LayOutScaled(TvgVisualObject& child, TvgAlign kind) {
  const TvgRect pad = child.FPadding->Rect();
  const TvgPoint position = child.FPosition->Point();
  switch (kind) {
    case vaContents:
      child.FPosition->SetPointQuietly({pad.Left, pad.Top});
      child.FWidth = FWidth - pad.Left - pad.Right;
      child.FHeight = FHeight - pad.Top - pad.Bottom;
      break;
    case vaScale: {
      if (!(FLastWidth > 0 && FLastHeight > 0 && FWidth > 0 && FHeight > 0)) return;
      const float sx = FWidth / FLastWidth;
      const float sy = FHeight / FLastHeight;
      child.FPosition->SetPointQuietly({position.X * sx, position.Y * sy});
      child.FWidth *= sx;
      child.FHeight *= sy;
      break;
    }
    case vaFit:
    case vaFitLeft:
    case vaFitRight: {
      const TvgRect target = FMargins->MarginRect(LocalRect());
      TvgRect box{position.X - pad.Left, position.Y - pad.Top, position.X + child.FWidth + pad.Right,
                  position.Y + child.FHeight + pad.Bottom};
      const float ratio = FitRect(box, target);
      // A smaller box grows to touch the target (a box of no size cannot).
      if (ratio < 1 && ratio > 0) {
        box = {box.Left / ratio, box.Top / ratio, box.Right / ratio, box.Bottom / ratio};
        CenterRect(box, target);
      }
      const float shift = kind == vaFitLeft    ? target.Left - box.Left
                          : kind == vaFitRight ? target.Right - box.Right
                                               : 0;
      box.Left += shift;
      box.Right += shift;
      child.FPosition->SetPointQuietly({box.Left + pad.Left, box.Top + pad.Top});
      child.FWidth = box.Width() - pad.Left - pad.Right;
      child.FHeight = box.Height() - pad.Top - pad.Bottom;
      break;
    }
    default: {  // the corners: moved with the far edges, through the position (which repaints)
      const float dx = kind == vaTopRight || kind == vaBottomRight ? FWidth - FLastWidth : 0;
      const float dy = kind == vaBottomLeft || kind == vaBottomRight ? FHeight - FLastHeight : 0;
      child.FPosition->SetPoint({position.X + dx, position.Y + dy});
      return;
    }
  }
  child.Realign();
  child.Repaint();
}

}  // namespace vd
