// The animation operations of every object: starting and stopping child animations by
// name or by trigger, switching effects by trigger, and animating a property on the fly.

#include "scene/Clock.h"
#include "scene/animation/AnimationClock.h"
#include "scene/animation/Animations.h"
#include "scene/animation/Effects.h"
#include "scene/layout/VisualObject.h"
#include "base/Strings.h"

namespace vd {

namespace {

// A part of an applied style: locked, and letting the mouse through to the control.
bool IsStylePart(const TvgObject& object) {
  const TvgVisualObject* visual = object.Visual();
  return visual && visual->Locked() && !visual->HitTest();
}

// Calls `action` with each direct child, by index: an action may change the list (a value
// step may apply a style), and a handler it runs may free the object itself, which ends the
// walk.
template <class F>
void ForEachChild(TvgObject& object, F action) {
  const TvgObjectGuard self(&object);
  for (int i = 0; self.Alive() && i < object.ChildrenCount(); ++i) action(*object.Children(i));
}

// Lets the main thread's work run until the watched animation has ended or gone, sleeping
// between messages. One that loops or is paused would never end, and is not waited for;
// neither is one that no clock advances (none is installed, or its timer could not start).
void WaitFor(const TvgObjectGuard& watch, const TvgAnimation& animation) {
  while (watch.Alive() && animation.Running() && !animation.Loop() && !animation.Pause()) {
    const TvgAniThread* clock = TvgAniThread::Current();
    IvgMessagePump* pump = SceneMessagePump();
    if (!pump || !clock || !clock->Contains(&animation)) break;
    pump->WaitAndProcessMessages();
  }
}

// A child animation of the object that runs once from the property's current value and
// then goes.
template <class T>
T* TemporaryAnimation(TvgObject& object, std::u16string_view propertyName, float duration, TvgAnimationType type,
                      TvgInterpolationType interpolation) {
  auto* animation = new T(&object);
  animation->SetStored(false);
  animation->SetPropertyName(std::u16string(propertyName));
  animation->SetStartFromCurrent(true);
  animation->SetDuration(duration);
  animation->SetAnimationType(type);
  animation->SetInterpolation(interpolation);
  // Nothing runs after OnFinish: the animation can go at once.
  animation->OnFinish = TNotifyEvent(u"", [animation](TComponent*) { delete animation; });
  object.AddObject(animation);
  return animation;
}

// Starts an animation on the fly. One that could not run over time (a hidden object does not
// animate, and without a clock nothing advances it) would stay a child for good with its
// property unchanged: it lands on its end value at once instead, and goes.
void StartTemporary(TvgPropertyAnimation& animation) {
  const TvgVisualObject* parent = animation.Parent() ? animation.Parent()->Visual() : nullptr;
  if (!SceneClock() || (parent && !parent->Visible()))
    animation.FinishAtOnce();
  else
    animation.Start();
}

}  // namespace

void TvgObject::StartAnimation(std::u16string_view AName) {
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* animation = dynamic_cast<TvgAnimation*>(&child); animation && SameTextAscii(animation->Name(), AName))
      animation->Start();
  });
}

void TvgObject::StopAnimation(std::u16string_view AName) {
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* animation = dynamic_cast<TvgAnimation*>(&child); animation && SameTextAscii(animation->Name(), AName))
      animation->Stop();
  });
}

void TvgObject::StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  StopTriggerAnimation(AInstance);
  if (!self.Alive()) return;
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* animation = dynamic_cast<TvgAnimation*>(&child))
      animation->StartTrigger(AInstance, ATrigger);
    else if (IsStylePart(child))
      child.StartTriggerAnimation(AInstance, ATrigger);
  });
}

void TvgObject::StartTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  StopTriggerAnimation(AInstance);
  if (!self.Alive()) return;
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* animation = dynamic_cast<TvgAnimation*>(&child)) {
      // Watched from before its start, whose handlers may free it.
      const TvgObjectGuard watch(animation);
      animation->StartTrigger(AInstance, ATrigger);
      WaitFor(watch, *animation);
    } else if (IsStylePart(child)) {
      child.StartTriggerAnimationWait(AInstance, ATrigger);
    }
  });
}

void TvgObject::StopTriggerAnimation(TvgObject* AInstance) {
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* animation = dynamic_cast<TvgAnimation*>(&child)) {
      if (!animation->Trigger().empty()) animation->Stop();
    } else if (IsStylePart(child)) {
      child.StopTriggerAnimation(AInstance);
    }
  });
}

void TvgObject::ApplyTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) {
  ForEachChild(*this, [&](TvgObject& child) {
    if (auto* effect = dynamic_cast<TvgEffect*>(&child))
      effect->ApplyTrigger(AInstance, ATrigger);
    else if (IsStylePart(child))
      child.ApplyTriggerEffect(AInstance, ATrigger);
  });
}

void TvgObject::AnimateColor(std::u16string_view APropertyName, TvgColor NewColor, float Duration,
                             TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgColorAnimation>(*this, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopColor(NewColor);
  StartTemporary(*animation);
}

void TvgObject::AnimateFloat(std::u16string_view APropertyName, float NewValue, float Duration, TvgAnimationType AType,
                             TvgInterpolationType AInterpolation) {
  AnimateFloatDelay(APropertyName, NewValue, Duration, 0, AType, AInterpolation);
}

void TvgObject::AnimateFloatDelay(std::u16string_view APropertyName, float NewValue, float Duration, float Delay,
                                  TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgFloatAnimation>(*this, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopValue(NewValue);
  animation->SetDelay(Delay);
  StartTemporary(*animation);
}

void TvgObject::AnimateFloatWait(std::u16string_view APropertyName, float NewValue, float Duration,
                                 TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgFloatAnimation>(*this, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopValue(NewValue);
  const TvgObjectGuard watch(animation);
  StartTemporary(*animation);
  WaitFor(watch, *animation);
}

}  // namespace vd
