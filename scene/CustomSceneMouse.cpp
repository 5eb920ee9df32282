// The scene's mouse input: the window's mouse messages go to the object under the mouse
// (or the one holding the capture), the hovered object follows the mouse, and a press on
// no object drags the whole window.
//
// Positions are the scene window's pixels; divided by the scene's scale they are the scene's
// units, in which its objects are found. A drag keeps the press position under the mouse:
// the window moves with the mouse, so each move's position, less the press position, is how
// far the form has to follow, in pixels.

#include "scene/CustomScene.h"
#include "scene/layout/VisualObject.h"
#include "scene/paint/Scale.h"

namespace vd {

namespace {

// A form tagged so is never dragged by its scene.
constexpr std::int32_t kNoDragTag = 0xFFFF;

int RoundToInt(float value) { return static_cast<int>(RoundHalfEven(value)); }

TvgVisualObject* VisualParentOf(const TvgVisualObject* object) {
  return object->Parent() ? object->Parent()->Visual() : nullptr;
}

}  // namespace

TvgVisualObject* TvgCustomScene::ObjectAtPoint(float x, float y) const {
  for (auto it = FChildren.rbegin(); it != FChildren.rend(); ++it) {
    TvgVisualObject* root = (*it)->Visual();
    if (!root) break;
    if (!root->Visible()) continue;
    if (TvgVisualObject* hit = root->ObjectByPoint(x, y)) return hit;
  }
  return nullptr;
}

void TvgCustomScene::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  if (GetDesignTime()) return;
  if (FHost) FHost->TakeFocus();
  FMousePos = FDownPos = {x, y};
  const TvgPoint at = UnscaledPoint({x, y}, FScale);
  TvgVisualObject* object = ObjectAtPoint(at.X, at.Y);
  if (!object) {
    if (FEnableDrag) BeginDrag();
    return;
  }
  if (dynamic_cast<IvgSizeGrip*>(object)) {
    BeginResize();
    return;
  }
  const TvgPoint local = object->AbsoluteToLocal(at);
  object->MouseDown(button, shift, local.X, local.Y);
}

void TvgCustomScene::BeginDrag() {
  if (!FHost || FHost->FormTag() == kNoDragTag) return;
  FDragging = true;
  FDownPos = FMousePos;
  FHost->SetCapture();
}

void TvgCustomScene::BeginResize() {
  if (!FHost) return;
  FResizing = true;
  FDownPos = FMousePos;
  const TvgPixelRect bounds = FHost->FormBounds();
  FResizeWidth = bounds.Width();
  FResizeHeight = bounds.Height();
  FHost->SetCapture();
}

void TvgCustomScene::EndWindowDrag() {
  if (!FDragging && !FResizing) return;
  FDragging = FResizing = false;
  // An object that took the capture in the meantime releases it itself.
  if (FHost && !FCaptured) FHost->ReleaseCapture();
}

void TvgCustomScene::MouseMove(TShiftState shift, float x, float y) {
  if (GetDesignTime()) return;
  if (FDragging) {
    const TvgPixelRect form = FHost->FormBounds();
    const int left = RoundToInt(x - FDownPos.X + form.Left);
    const int top = RoundToInt(y - FDownPos.Y + form.Top);
    FHost->SetFormBounds({left, top, left + form.Width(), top + form.Height()});
    return;
  }
  if (FResizing) {
    FResizeWidth += RoundToInt(x - FDownPos.X);
    FResizeHeight += RoundToInt(y - FDownPos.Y);
    FDownPos = {x, y};
    const TvgPixelRect form = FHost->FormBounds();
    FHost->SetFormBounds({form.Left, form.Top, form.Left + FResizeWidth, form.Top + FResizeHeight});
    FHost->SetCursor(crSizeNWSE);
    return;
  }
  if (const std::optional<TvgCursor> cursor = FollowMouse(shift, x, y); cursor && FHost) FHost->SetCursor(*cursor);
}

std::optional<TvgCursor> TvgCustomScene::FollowMouse(TShiftState shift, float x, float y) {
  FMousePos = {x, y};
  const TvgPoint at = UnscaledPoint(FMousePos, FScale);
  if (FCaptured) {
    const TvgPoint local = FCaptured->AbsoluteToLocal(at);
    FCaptured->MouseMove(shift, local.X, local.Y);
    return std::nullopt;
  }
  TvgCursor cursor = crDefault;
  FHint.clear();
  if (TvgVisualObject* object = ObjectAtPoint(at.X, at.Y)) {
    if (object->ShowHint()) FHint = object->Hint();
    cursor = dynamic_cast<IvgSizeGrip*>(object) ? crSizeNWSE : object->Cursor();
    if (object != FHovered) {
      TvgVisualObject* previous = FHovered;
      Hold(FHovered, object);
      if (previous) previous->MouseLeave();
      // A handler may have freed the object: the scene then no longer holds it.
      if (FHovered == object) object->MouseEnter();
    }
    if (FHovered == object) {
      const TvgPoint local = object->AbsoluteToLocal(at);
      object->MouseMove(shift, local.X, local.Y);
    }
  } else if (TvgVisualObject* previous = FHovered) {
    Hold(FHovered, nullptr);
    previous->MouseLeave();
  }
  FDownPos = FMousePos;
  return cursor;
}

void TvgCustomScene::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  if (GetDesignTime()) return;
  EndWindowDrag();
  const TvgPoint at = UnscaledPoint({x, y}, FScale);
  TvgVisualObject* object = FCaptured ? FCaptured : ObjectAtPoint(at.X, at.Y);
  if (!object) return;
  const TvgPoint local = object->AbsoluteToLocal(at);
  object->MouseUp(button, shift, local.X, local.Y);
}

void TvgCustomScene::MouseLeave() {
  // The pointer is over another window, whose cursor is not the scene's to set; a window drag
  // follows the captured mouse wherever it is.
  if (!GetDesignTime() && !MovingWindow()) FollowMouse(0, -1, -1);
}

void TvgCustomScene::MouseCaptureLost() {
  TvgVisualObject* captured = FCaptured;
  const bool movingWindow = FDragging || FResizing;
  // Idle, the scene holds no capture: what took it was the scene's own release.
  if (!captured && !movingWindow) return;
  FDragging = FResizing = false;
  if (captured) {
    // The press ends without its release: no click, no repeat.
    const TvgObjectGuard alive(captured);
    captured->MouseCaptureLost();
    // A handler may have freed the object, which released the capture as it went.
    if (alive.Alive() && FCaptured == captured) SetCaptured(nullptr);
  }
  if (FHost && !FCaptured) FHost->ReleaseCapture();
  // The mouse is elsewhere now, over another window maybe: the next move over the scene finds
  // it again, and sets the cursor.
  MouseLeave();
}

bool TvgCustomScene::DoMouseWheel(TShiftState shift, int delta, float x, float y) {
  if (GetDesignTime()) return false;
  if (FCaptured) return FCaptured->MouseWheel(shift, delta);
  const TvgPoint at = UnscaledPoint({x, y}, FScale);
  for (TvgVisualObject* object = ObjectAtPoint(at.X, at.Y); object; object = VisualParentOf(object))
    if (object->MouseWheel(shift, delta)) return true;
  return false;
}

}  // namespace vd
