// The animation operations of every object: each goes through the direct children, which
// take part in it as their class says (the hooks of VgObject.h).

#include "scene/tree/VgObject.h"

namespace vd {

namespace {

// Calls `action` with each direct child, by index: an action may change the list (a value
// step may apply a style), and a handler it runs may free the object itself, which ends the
// walk.
template <class F>
void ForEachChild(TvgObject& object, F action) {
  const TvgObjectGuard self(&object);
  for (int i = 0; self.Alive() && i < object.ChildrenCount(); ++i) action(*object.Children(i));
}

}  // namespace

void TvgObject::StartAnimation(std::u16string_view AName) {
  ForEachChild(*this, [&](TvgObject& child) { child.ParentStartsAnimation(AName); });
}

void TvgObject::StopAnimation(std::u16string_view AName) {
  ForEachChild(*this, [&](TvgObject& child) { child.ParentStopsAnimation(AName); });
}

void TvgObject::StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  StopTriggerAnimation(AInstance);
  if (!self.Alive()) return;
  ForEachChild(*this, [&](TvgObject& child) { child.ParentStartsTriggerAnimation(AInstance, ATrigger); });
}

void TvgObject::StartTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  StopTriggerAnimation(AInstance);
  if (!self.Alive()) return;
  ForEachChild(*this, [&](TvgObject& child) { child.ParentStartsTriggerAnimationWait(AInstance, ATrigger); });
}

void TvgObject::StopTriggerAnimation(TvgObject* AInstance) {
  ForEachChild(*this, [&](TvgObject& child) { child.ParentStopsTriggerAnimation(AInstance); });
}

void TvgObject::ApplyTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) {
  ForEachChild(*this, [&](TvgObject& child) { child.ParentAppliesTriggerEffect(AInstance, ATrigger); });
}

}  // namespace vd
