#include "scene/animation/Animations.h"

#include <cmath>

#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "scene/Clock.h"
#include "scene/animation/AnimationClock.h"
#include "scene/animation/Triggers.h"
#include "scene/layout/VisualObject.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

bool ParentHidden(const TvgObject& animation) {
  const TvgVisualObject* parent = animation.Parent() ? animation.Parent()->Visual() : nullptr;
  return parent && !parent->Visible();
}

}  // namespace

const TClassInfo& TvgAnimation::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgAnimation>(u"TvgAnimation", TvgObject::StaticClassInfo())
          .Creatable()
          .Boolean(u"AutoReverse", &TvgAnimation::AutoReverse, &TvgAnimation::SetAutoReverse)
          .Default(false)
          .Boolean(u"Enabled", &TvgAnimation::Enabled, &TvgAnimation::SetEnabled)
          .Default(false)
          .Float(u"Delay", &TvgAnimation::Delay, &TvgAnimation::SetDelay)
          .Default(0.0)
          .Float(u"Duration", &TvgAnimation::Duration, &TvgAnimation::SetDuration)
          .Default(0.2)
          .Enumeration(u"Interpolation", &TvgAnimation::Interpolation, &TvgAnimation::SetInterpolation,
                       InterpolationTypeNames())
          .Default(vgInterpolationLinear)
          .Enumeration(u"AnimationType", &TvgAnimation::AnimationType, &TvgAnimation::SetAnimationType,
                       AnimationTypeNames())
          .Default(vgAnimationIn)
          .Boolean(u"Inverse", &TvgAnimation::Inverse, &TvgAnimation::SetInverse)
          .Default(false)
          .Boolean(u"HideOnFinish", &TvgAnimation::HideOnFinish, &TvgAnimation::SetHideOnFinish)
          .Default(false)
          .Boolean(u"Loop", &TvgAnimation::Loop, &TvgAnimation::SetLoop)
          .Default(false)
          .String(u"Trigger", &TvgAnimation::Trigger, &TvgAnimation::SetTrigger)
          .String(u"TriggerInverse", &TvgAnimation::TriggerInverse, &TvgAnimation::SetTriggerInverse)
          .Event(u"OnProcess", &TvgAnimation::OnProcess)
          .Event(u"OnFinish", &TvgAnimation::OnFinish)
          .Build();
  return info;
}

const TClassInfo& TvgColorAnimation::StaticClassInfo() {
  static const TClassInfo info =
      PublishProperty(TClassBuilder<TvgColorAnimation>(u"TvgColorAnimation", TvgAnimation::StaticClassInfo())
                          .Creatable()
                          .String(u"StartValue", &TvgColorAnimation::StartValue, &TvgColorAnimation::SetStartValue)
                          .String(u"StopValue", &TvgColorAnimation::StopValue, &TvgColorAnimation::SetStopValue))
          .Build();
  return info;
}

const TClassInfo& TvgFloatAnimation::StaticClassInfo() {
  static const TClassInfo info =
      PublishProperty(TClassBuilder<TvgFloatAnimation>(u"TvgFloatAnimation", TvgAnimation::StaticClassInfo())
                          .Creatable()
                          .Float(u"StartValue", &TvgFloatAnimation::StartValue, &TvgFloatAnimation::SetStartValue)
                          .Float(u"StopValue", &TvgFloatAnimation::StopValue, &TvgFloatAnimation::SetStopValue))
          .Build();
  return info;
}

TvgAnimation::~TvgAnimation() {
  if (TvgAniThread* clock = TvgAniThread::Current()) clock->RemoveAnimation(this);
}

bool TvgAnimation::InDesign() const {
  if (IsDesigning() || (Owner() && Owner()->IsDesigning())) return true;
  return Scene() && Scene()->GetDesignTime();
}

void TvgAnimation::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (IsLoading() || InDesign()) return;
  if (value)
    Start();
  else
    Stop();
}

void TvgAnimation::Loaded() {
  TvgObject::Loaded();
  if (FEnabled && !InDesign()) Start();
}

float TvgAnimation::NormalizedTime() const {
  if (!(FDuration > 0) || FDelayTime > 0) return 0;
  return Ease(FInterpolation, FAnimationType, FTime, 0, 1, FDuration);
}

void TvgAnimation::Start() {
  if (ParentHidden(*this)) return;
  IvgScene* scene = Scene();
  // A run that could not be seen (no duration, no scene to show it, design mode) happens
  // at once; the duration then stays as short as that, so later runs do too.
  if (!(std::fabs(FDuration) >= 0.001f) || !scene || scene->GetDesignTime()) {
    FinishAtOnce();
    return;
  }
  FDelayTime = FDelay;
  FRunning = true;
  FTime = FInverse ? FDuration : 0;
  if (FDelay == 0) {
    // A step may free the animation (a property that applies a style replaces the style
    // that holds it).
    const TvgObjectGuard self(this);
    AnimateStep();
    if (!self.Alive()) return;
  }
  if (TvgAniThread* clock = TvgAniThread::Instance()) clock->AddAnimation(this);
  FEnabled = true;
}

void TvgAnimation::FinishAtOnce() {
  // A run started before (and since moved out of the scene) ends here.
  if (TvgAniThread* clock = TvgAniThread::Current()) clock->RemoveAnimation(this);
  FDelayTime = 0;
  FTime = FInverse ? 0 : 1;
  FDuration = 1;
  FRunning = true;
  const TvgObjectGuard self(this);
  AnimateStep();
  if (!self.Alive()) return;
  FRunning = false;
  FTime = 0;
  FDuration = 0.00001f;
  // Disabled before OnFinish, whose handler may free the animation.
  FEnabled = false;
  OnFinish(this);
}

void TvgAnimation::Stop() { Finish(true); }

void TvgAnimation::StopAtCurrent() { Finish(false); }

void TvgAnimation::Finish(bool step) {
  if (!FRunning) return;
  if (TvgAniThread* clock = TvgAniThread::Current()) clock->RemoveAnimation(this);
  FTime = FInverse ? 0 : FDuration;
  if (step) {
    const TvgObjectGuard self(this);
    AnimateStep();
    if (!self.Alive()) return;
  }
  FRunning = false;
  FEnabled = false;
  OnFinish(this);
}

void TvgAnimation::StartTrigger(TvgObject* AInstance, std::u16string_view ATrigger) {
  if (!AInstance) return;
  if (TriggerNamed(FTriggerInverse, ATrigger) && TriggerHolds(*AInstance, FTriggerInverse)) {
    FInverse = true;
    Start();
    return;
  }
  if (TriggerNamed(FTrigger, ATrigger) && TriggerHolds(*AInstance, FTrigger)) {
    if (!FTriggerInverse.empty()) FInverse = false;
    Start();
  }
}

void TvgAnimation::ParentStartsAnimation(std::u16string_view AName) {
  if (SameTextAscii(Name(), AName)) Start();
}

void TvgAnimation::ParentStopsAnimation(std::u16string_view AName) {
  if (SameTextAscii(Name(), AName)) Stop();
}

void TvgAnimation::ParentStartsTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  StartTrigger(AInstance, ATrigger);
}

void TvgAnimation::ParentStartsTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) {
  // Watched from before its start, whose handlers may free it.
  const TvgObjectGuard watch(this);
  StartTrigger(AInstance, ATrigger);
  WaitForAnimation(watch, *this);
}

void TvgAnimation::ParentStopsTriggerAnimation(TvgObject*) {
  if (!FTrigger.empty()) Stop();
}

void WaitForAnimation(const TvgObjectGuard& watch, const TvgAnimation& animation) {
  while (watch.Alive() && animation.Running() && !animation.Loop() && !animation.Pause()) {
    const TvgAniThread* clock = TvgAniThread::Current();
    IvgMessagePump* pump = SceneMessagePump();
    if (!pump || !clock || !clock->Contains(&animation)) break;
    pump->WaitAndProcessMessages();
  }
}

void TvgAnimation::ProcessTick(float, float deltaTime) {
  if ((Scene() && Scene()->GetDesignTime()) || Destroying()) return;
  // Handlers run on the way (OnFinish, OnProcess) and may free the animation.
  const TvgObjectGuard self(this);
  if (ParentHidden(*this)) Stop();
  if (!self.Alive() || !FRunning || FPause) return;
  if (FDelay > 0 && FDelayTime != 0) {
    if (FDelayTime > 0) {
      FDelayTime -= deltaTime;
      if (FDelayTime <= 0) {
        Start();
        if (self.Alive()) FDelayTime = 0;
      }
    }
    return;
  }
  FTime += FInverse ? -deltaTime : deltaTime;
  if (FTime >= FDuration) {
    FTime = FDuration;
    if (!FLoop)
      FRunning = false;
    else if (FAutoReverse)
      FInverse = true;
    else
      FTime = 0;
  } else if (FTime <= 0) {
    FTime = 0;
    if (!FLoop)
      FRunning = false;
    else if (FAutoReverse)
      FInverse = false;
    else
      FTime = FDuration;
  }
  AnimateStep();
  if (self.Alive()) OnProcess(this);
  if (!self.Alive() || FRunning) return;
  if (TvgAniThread* clock = TvgAniThread::Current()) clock->RemoveAnimation(this);
  OnFinish(this);
}

void TvgAnimationTarget::Resolve(TvgObject* parent, std::u16string_view propertyName) {
  if (FInstance || !parent || propertyName.empty()) return;
  FInstance = parent;
  FPath = propertyName;
  for (std::size_t dot = FPath.find(u'.'); dot != std::u16string::npos; dot = FPath.find(u'.')) {
    const std::u16string segment = FPath.substr(0, dot);
    FPath.erase(0, dot + 1);
    const TPropInfo* owner = FInstance->ClassType().FindProperty(segment);
    if (owner && owner->Kind == TPropKind::Class)
      if (TPersistent* object = owner->GetObject(*FInstance)) FInstance = object;
  }
  const TPropInfo* property = FInstance->ClassType().FindProperty(FPath);
  FProperty = property && property->IsWritable() ? property : nullptr;
}

void TvgPropertyAnimation::SetPropertyName(const std::u16string& value) {
  FPropertyName = value;
  FTarget.Forget();
}

void TvgPropertyAnimation::SetNewScene(IvgScene* AScene) {
  FTarget.Forget();
  TvgAnimation::SetNewScene(AScene);
}

void TvgColorAnimation::Start() {
  ResolveTarget();
  if (TPersistent* instance = Target().Instance(); instance && StartFromCurrent()) {
    const TPropInfo& property = *Target().Property();
    if (property.Kind == TPropKind::String)
      FStartColor = StrToColor(property.GetString(*instance));
    else if (property.Kind == TPropKind::Integer)
      FStartColor = static_cast<TvgColor>(property.GetOrdinal(*instance));
  }
  TvgAnimation::Start();
}

void TvgColorAnimation::AnimateStep() {
  ResolveTarget();
  TPersistent* instance = Target().Instance();
  if (!instance) return;
  const TPropInfo& property = *Target().Property();
  const TvgColor color = InterpolateColor(FStartColor, FStopColor, NormalizedTime());
  if (property.Kind == TPropKind::String)
    property.SetString(*instance, ColorToStr(color));
  else if (property.Kind == TPropKind::Integer)
    property.SetOrdinal(*instance, color);
}

void TvgFloatAnimation::Start() {
  ResolveTarget();
  if (TPersistent* instance = Target().Instance();
      instance && StartFromCurrent() && Target().Property()->Kind == TPropKind::Float)
    FStartFloat = static_cast<float>(Target().Property()->GetFloat(*instance));
  TvgAnimation::Start();
}

void TvgFloatAnimation::AnimateStep() {
  ResolveTarget();
  TPersistent* instance = Target().Instance();
  if (!instance || Target().Property()->Kind != TPropKind::Float) return;
  Target().Property()->SetFloat(*instance, FStartFloat + (FStopFloat - FStartFloat) * NormalizedTime());
}

}  // namespace vd
