// The animation operations of every object: starting and stopping child animations by
// name or by trigger, switching effects by trigger, and animating a property on the fly.

#include "scene/Clock.h"
#include "scene/animation/Animations.h"
#include "scene/animation/Effects.h"
#include "scene/layout/VisualObject.h"
#include "streams/Strings.h"

namespace vd {

namespace {

// A part of an applied style: locked, and letting the mouse through to the control.
bool IsStylePart(const TvgObject& object) {
  const TvgVisualObject* visual = object.Visual();
  return visual && visual->Locked() && !visual->HitTest();
}

// Lets the main thread's work run until the animation has ended or gone. One that loops or
// is paused would never end, and is not waited for; neither is one without a clock.
void WaitFor(TvgAnimation& animation) {
  class TWatch : public IvgFreeNotify {
  public:
    void FreeNotification(TvgObject*) override { FGone = true; }
    bool FGone = false;
  } watch;
  animation.AddFreeNotify(&watch);
  while (!watch.FGone && animation.Running() && !animation.Loop() && !animation.Pause()) {
    IvgMessagePump* pump = SceneMessagePump();
    if (!pump) break;
    pump->ProcessMessages();
  }
  if (!watch.FGone) animation.RemoveFreeNotify(&watch);
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
  animation->OnFinish = TNotifyEvent(u"", [animation](TComponent*) { animation->Release(0); });
  object.AddObject(animation);
  return animation;
}

}  // namespace

void TvgObject::StartAnimation(std::u16string_view AName) {
  for (int i = 0; i < ChildrenCount(); ++i)
    if (auto* animation = dynamic_cast<TvgAnimation*>(Children(i));
        animation && SameTextAscii(animation->Name(), AName))
      animation->Start();
}

void TvgObject::StopAnimation(std::u16string_view AName) {
  for (int i = 0; i < ChildrenCount(); ++i)
    if (auto* animation = dynamic_cast<TvgAnimation*>(Children(i));
        animation && SameTextAscii(animation->Name(), AName))
      animation->Stop();
}

void TvgObject::StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  StopTriggerAnimation(AInstance);
  // By index: a value step may change the tree (a property that applies a style, say).
  for (int i = 0; i < ChildrenCount(); ++i) {
    TvgObject* child = Children(i);
    if (auto* animation = dynamic_cast<TvgAnimation*>(child))
      animation->StartTrigger(AInstance, ATrigger);
    else if (IsStylePart(*child))
      child->StartTriggerAnimation(AInstance, ATrigger);
  }
}

void TvgObject::StartTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) {
  StopTriggerAnimation(AInstance);
  for (int i = 0; i < ChildrenCount(); ++i) {
    TvgObject* child = Children(i);
    if (auto* animation = dynamic_cast<TvgAnimation*>(child)) {
      animation->StartTrigger(AInstance, ATrigger);
      WaitFor(*animation);
    } else if (IsStylePart(*child)) {
      child->StartTriggerAnimationWait(AInstance, ATrigger);
    }
  }
}

void TvgObject::StopTriggerAnimation(TvgObject* AInstance) {
  for (int i = 0; i < ChildrenCount(); ++i) {
    TvgObject* child = Children(i);
    if (auto* animation = dynamic_cast<TvgAnimation*>(child)) {
      if (!animation->Trigger().empty()) animation->Stop();
    } else if (IsStylePart(*child)) {
      child->StopTriggerAnimation(AInstance);
    }
  }
}

void TvgObject::ApplyTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) {
  for (int i = 0; i < ChildrenCount(); ++i) {
    TvgObject* child = Children(i);
    if (auto* effect = dynamic_cast<TvgEffect*>(child))
      effect->ApplyTrigger(AInstance, ATrigger);
    else if (IsStylePart(*child))
      child->ApplyTriggerEffect(AInstance, ATrigger);
  }
}

void TvgObject::AnimateColor(std::u16string_view APropertyName, TvgColor NewColor, float Duration,
                             TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgColorAnimation>(*this, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopColor(NewColor);
  animation->Start();
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
  animation->Start();
}

void TvgObject::AnimateFloatWait(std::u16string_view APropertyName, float NewValue, float Duration,
                                 TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgFloatAnimation>(*this, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopValue(NewValue);
  animation->Start();
  WaitFor(*animation);
}

}  // namespace vd
