#include "scene/animation/AnimateProperty.h"

#include "scene/Clock.h"
#include "scene/animation/Animations.h"
#include "scene/layout/VisualObject.h"

namespace vd {

namespace {

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

// Starts an animation on the fly. One that could not run over time would stay a child for
// good with its property unchanged: it lands on its end value at once instead, and goes.
void StartTemporary(TvgPropertyAnimation& animation) {
  const TvgVisualObject* parent = animation.Parent() ? animation.Parent()->Visual() : nullptr;
  if (!SceneClock() || (parent && !parent->Visible()))
    animation.FinishAtOnce();
  else
    animation.Start();
}

}  // namespace

void AnimateColor(TvgObject& AObject, std::u16string_view APropertyName, TvgColor NewColor, float Duration,
                  TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgColorAnimation>(AObject, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopColor(NewColor);
  StartTemporary(*animation);
}

void AnimateFloat(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration,
                  TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  AnimateFloatDelay(AObject, APropertyName, NewValue, Duration, 0, AType, AInterpolation);
}

void AnimateFloatDelay(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration,
                       float Delay, TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgFloatAnimation>(AObject, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopValue(NewValue);
  animation->SetDelay(Delay);
  StartTemporary(*animation);
}

void AnimateFloatWait(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration,
                      TvgAnimationType AType, TvgInterpolationType AInterpolation) {
  auto* animation = TemporaryAnimation<TvgFloatAnimation>(AObject, APropertyName, Duration, AType, AInterpolation);
  animation->SetStopValue(NewValue);
  const TvgObjectGuard watch(animation);
  StartTemporary(*animation);
  WaitForAnimation(watch, *animation);
}

}  // namespace vd
