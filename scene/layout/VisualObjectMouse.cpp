// How a visual object takes the mouse and the focus: hit testing, presses that become
// clicks, the capture, and the mouse coming over it, which raises "IsMouseOver" (as the
// focus raises "IsFocused") for the object's animations and effects.

#include "scene/layout/VisualObject.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

std::vector<std::u16string> CursorNames() {
  return {u"crDefault", u"crArrow", u"crHandPoint", u"crIBeam", u"crSizeNWSE"};
}

bool TvgVisualObject::AbsoluteEnabled() const {
  const TvgVisualObject* parent = VisualParent();
  return !parent || parent->AbsoluteEnabled();
}

TvgPoint TvgVisualObject::AbsoluteToLocal(TvgPoint point) const { return AbsoluteMatrix().Inverse().Transform(point); }

bool TvgVisualObject::PointInObject(float X, float Y) const {
  const TvgPoint local = AbsoluteToLocal({X, Y});
  return local.X > 0 && local.X < FWidth && local.Y > 0 && local.Y < FHeight;
}

TvgVisualObject* TvgVisualObject::ObjectByPoint(float X, float Y) {
  if (!FVisible || !AbsoluteEnabled()) return nullptr;
  if (FClipChildren && !PointInObject(X, Y)) return nullptr;
  for (int i = ChildrenCount() - 1; i >= 0; --i) {
    TvgVisualObject* child = Children(i)->Visual();
    if (!child || !child->FVisible) continue;
    if (TvgVisualObject* hit = child->ObjectByPoint(X, Y)) return hit;
  }
  return FHitTest && PointInObject(X, Y) ? this : nullptr;
}

void TvgVisualObject::SetFocus() {
  IvgScene* scene = Scene();
  if (scene && FCanFocused && scene->GetFocused() != this) scene->SetFocused(this);
}

void TvgVisualObject::RaiseTrigger(std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  StartTriggerAnimation(this, ATrigger);
  if (self.Alive()) ApplyTriggerEffect(this, ATrigger);
}

void TvgVisualObject::ParentStartsTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  if (IsStylePart()) StartTriggerAnimation(AInstance, ATrigger);
}

void TvgVisualObject::ParentStartsTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) {
  if (IsStylePart()) StartTriggerAnimationWait(AInstance, ATrigger);
}

void TvgVisualObject::ParentStopsTriggerAnimation(TvgObject* AInstance) {
  if (IsStylePart()) StopTriggerAnimation(AInstance);
}

void TvgVisualObject::ParentAppliesTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) {
  if (IsStylePart()) ApplyTriggerEffect(AInstance, ATrigger);
}

void TvgVisualObject::EnterFocus() {
  FIsFocused = true;
  const TvgObjectGuard self(this);
  OnEnterFocus(this);
  if (self.Alive() && !FDisableFocusEffect) RaiseTrigger(u"IsFocused");
}

void TvgVisualObject::KillFocus() {
  FIsFocused = false;
  const TvgObjectGuard self(this);
  OnKillFocus(this);
  if (self.Alive() && !FDisableFocusEffect) RaiseTrigger(u"IsFocused");
}

void TvgVisualObject::Capture() {
  if (Scene()) Scene()->SetCaptured(this);
}

void TvgVisualObject::ReleaseCapture() {
  if (Scene() && Scene()->GetCaptured() == this) Scene()->SetCaptured(nullptr);
}

// Handlers of the user's run on the way (another object's OnKillFocus, OnMouseDown,
// OnMouseUp) and may free the object or its parent: it goes no further then.
void TvgVisualObject::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
  const TvgObjectGuard self(this);
  if (FCanFocused && !FIsFocused && !(Scene() && Scene()->GetDesignTime())) SetFocus();
  if (!self.Alive()) return;
  OnMouseDown(this, Button, Shift, X, Y);
  // The right button belongs to the object's context menu.
  if (!self.Alive() || Button == mbRight) return;
  if (FAutoCapture) Capture();
  if (Shift & ssDouble) {
    DblClick();
    if (self.Alive()) FDoubleClick = true;
  } else if (Button == mbLeft) {
    FPressed = true;
  }
}

void TvgVisualObject::MouseMove(TShiftState Shift, float X, float Y) { OnMouseMove(this, Shift, X, Y); }

void TvgVisualObject::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
  ReleaseCapture();
  const TvgObjectGuard self(this);
  OnMouseUp(this, Button, Shift, X, Y);
  if (!self.Alive()) return;
  // The release may lie on an edge: the click test takes the edges in.
  const bool click = FPressed && !FDoubleClick && X >= 0 && X <= FWidth && Y >= 0 && Y <= FHeight;
  FPressed = false;
  FDoubleClick = false;
  if (click) Click();
}

void TvgVisualObject::MouseCaptureLost() {
  FPressed = false;
  FDoubleClick = false;
}

bool TvgVisualObject::MouseWheel(TShiftState, int) { return false; }

void TvgVisualObject::MouseEnter() {
  FIsMouseOver = true;
  const TvgObjectGuard self(this);
  RaiseTrigger(u"IsMouseOver");
  if (self.Alive()) OnMouseEnter(this);
}

void TvgVisualObject::MouseLeave() {
  FIsMouseOver = false;
  const TvgObjectGuard self(this);
  RaiseTrigger(u"IsMouseOver");
  if (self.Alive()) OnMouseLeave(this);
}

void TvgVisualObject::Click() { OnClick(this); }

void TvgVisualObject::DblClick() { OnDblClick(this); }

}  // namespace vd
