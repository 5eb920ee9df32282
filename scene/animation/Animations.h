#pragma once
// Property animations: children of the object whose property they change, run by the
// shared animation clock (scene/animation/AnimationClock.h). A run takes the eased time from 0 to 1
// over Duration (from 1 to 0 when Inverse), after Delay; with Loop it starts over, with
// AutoReverse as well it runs back and forth. An animation starts when told, when it is
// enabled, or when a trigger it names is raised and its condition holds
// (scene/animation/Triggers.h). Outside a scene, in design mode or with no duration, a run happens at
// once: the property jumps to its end value.

#include <string>
#include <string_view>

#include "core/Event.h"
#include "scene/animation/Easing.h"
#include "scene/paint/Colors.h"
#include "scene/tree/VgObject.h"

namespace vd {

struct TPropInfo;

class TvgAnimation : public TvgObject {
public:
  explicit TvgAnimation(TComponent* AOwner) : TvgObject(AOwner) {}
  ~TvgAnimation() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Seconds of one run, and before it starts.
  float Duration() const { return FDuration; }
  void SetDuration(float value) { FDuration = value; }
  float Delay() const { return FDelay; }
  void SetDelay(float value) { FDelay = value; }
  bool Inverse() const { return FInverse; }
  void SetInverse(bool value) { FInverse = value; }
  // Conditions ("IsMouseOver=true;IsSelected=false") that start the animation forwards and
  // backwards.
  const std::u16string& Trigger() const { return FTrigger; }
  void SetTrigger(const std::u16string& value) { FTrigger = value; }
  const std::u16string& TriggerInverse() const { return FTriggerInverse; }
  void SetTriggerInverse(const std::u16string& value) { FTriggerInverse = value; }
  bool Loop() const { return FLoop; }
  void SetLoop(bool value) { FLoop = value; }
  bool HideOnFinish() const { return FHideOnFinish; }
  void SetHideOnFinish(bool value) { FHideOnFinish = value; }
  TvgInterpolationType Interpolation() const { return FInterpolation; }
  void SetInterpolation(TvgInterpolationType value) { FInterpolation = value; }
  TvgAnimationType AnimationType() const { return FAnimationType; }
  void SetAnimationType(TvgAnimationType value) { FAnimationType = value; }
  // Whether the animation runs; setting it starts or stops it (not while loading or in
  // design mode).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool AutoReverse() const { return FAutoReverse; }
  void SetAutoReverse(bool value) { FAutoReverse = value; }

  bool Running() const { return FRunning; }
  // While paused, ticks pass the animation by.
  bool Pause() const { return FPause; }
  void SetPause(bool value) { FPause = value; }
  // The position inside the run, 0 .. Duration.
  float CurrentTime() const { return FTime; }
  // The eased time: 0 at the start of a run, 1 at its end; 0 while a delay is pending.
  float NormalizedTime() const;

  // Starts a run. Nothing happens while the parent is hidden.
  virtual void Start();
  // Ends a running run at its end value (the start value when Inverse), or where it is.
  virtual void Stop();
  virtual void StopAtCurrent();
  // A whole run at once, shown or not: the property takes the run's end value and OnFinish
  // fires. Start does this for a run that could not be seen.
  void FinishAtOnce();
  // A trigger was raised on AInstance: a TriggerInverse that names it and holds starts
  // the animation backwards; otherwise a Trigger that names it and holds starts it
  // forwards.
  virtual void StartTrigger(TvgObject* AInstance, std::u16string_view ATrigger);
  // One tick of the animation clock: time since the clock began and since the last tick.
  void ProcessTick(float time, float deltaTime);

  void Loaded() override;

  TNotifyEvent OnFinish;
  TNotifyEvent OnProcess;

protected:
  // Writes the value at the eased time into the target property.
  virtual void AnimateStep() {}

  // Its part in its parent's animation operations: started and stopped by its name; started
  // by a trigger that it names and whose condition holds (StartTrigger), and waited for;
  // and, when it has a Trigger, stopped before the parent starts its triggered animations.
  void ParentStartsAnimation(std::u16string_view AName) override;
  void ParentStopsAnimation(std::u16string_view AName) override;
  void ParentStartsTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) override;
  void ParentStartsTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) override;
  void ParentStopsTriggerAnimation(TvgObject* AInstance) override;

private:
  // Stored animations do not start in design mode, nor in copies being read.
  bool InDesign() const;
  void Finish(bool step);

  float FDuration = 0.2f;
  float FDelay = 0;
  float FDelayTime = 0;
  float FTime = 0;
  bool FInverse = false;
  std::u16string FTrigger;
  std::u16string FTriggerInverse;
  bool FLoop = false;
  bool FPause = false;
  bool FRunning = false;
  bool FHideOnFinish = false;
  TvgInterpolationType FInterpolation = vgInterpolationLinear;
  TvgAnimationType FAnimationType = vgAnimationIn;
  bool FEnabled = false;
  bool FAutoReverse = false;
};

// Lets the main thread's work run until the watched animation has ended or gone, sleeping
// between messages (the watch is made before the start, whose handlers may free it). One
// that loops or is paused would never end, and is not waited for; neither is one that no
// clock advances (none is installed, or its timer could not start).
void WaitForAnimation(const TvgObjectGuard& watch, const TvgAnimation& animation);

// Where an animation writes: the property that its PropertyName names on the parent, or on
// an object the parent publishes ("Fill.Color": the parent's Fill, its Color). Found on the
// first start with a parent and kept until the animation moves or the name changes.
class TvgAnimationTarget {
public:
  void Resolve(TvgObject* parent, std::u16string_view propertyName);
  void Forget() { *this = {}; }
  // The object holding the property, and the property; none when it was not found.
  TPersistent* Instance() const { return FProperty ? FInstance : nullptr; }
  const TPropInfo* Property() const { return FProperty; }

private:
  TPersistent* FInstance = nullptr;
  std::u16string FPath;
  const TPropInfo* FProperty = nullptr;
};

// An animation of one property of its parent, named by PropertyName (dotted for nested
// objects such as "Fill.Color"), found on the first start and kept until the animation
// moves or the name changes. StartFromCurrent: a run starts from the property's value at
// that moment.
class TvgPropertyAnimation : public TvgAnimation {
public:
  const std::u16string& PropertyName() const { return FPropertyName; }
  void SetPropertyName(const std::u16string& value);
  bool StartFromCurrent() const { return FStartFromCurrent; }
  void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }

  void SetNewScene(IvgScene* AScene) override;

protected:
  explicit TvgPropertyAnimation(TComponent* AOwner) : TvgAnimation(AOwner) {}
  // Publishes PropertyName and StartFromCurrent in a class's description. Stored forms
  // have them after the class's own start and stop values, so each class adds them there.
  template <class T>
  static TClassBuilder<T>& PublishProperty(TClassBuilder<T>& builder) {
    return builder.String(u"PropertyName", &T::PropertyName, &T::SetPropertyName)
        .Boolean(u"StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent)
        .Default(false);
  }
  // Finds the target when it is not known yet; a start does so first, and so does a step.
  void ResolveTarget() { FTarget.Resolve(Parent(), FPropertyName); }
  const TvgAnimationTarget& Target() const { return FTarget; }

private:
  std::u16string FPropertyName;
  TvgAnimationTarget FTarget;
  bool FStartFromCurrent = false;
};

// Changes a colour property from StartValue to StopValue, both stored as "#AARRGGBB". The
// property is a string that holds a colour text or an integer that holds the colour.
class TvgColorAnimation : public TvgPropertyAnimation {
public:
  explicit TvgColorAnimation(TComponent* AOwner) : TvgPropertyAnimation(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TvgColor StartColor() const { return FStartColor; }
  void SetStartColor(TvgColor value) { FStartColor = value; }
  TvgColor StopColor() const { return FStopColor; }
  void SetStopColor(TvgColor value) { FStopColor = value; }

  void Start() override;

protected:
  void AnimateStep() override;

private:
  std::u16string StartValue() const { return ColorToStr(FStartColor); }
  void SetStartValue(const std::u16string& value) { FStartColor = StrToColor(value); }
  std::u16string StopValue() const { return ColorToStr(FStopColor); }
  void SetStopValue(const std::u16string& value) { FStopColor = StrToColor(value); }

  TvgColor FStartColor = 0xFFFFFFFF;
  TvgColor FStopColor = 0xFFFFFFFF;
};

// The same for a float property, from StartValue to StopValue.
class TvgFloatAnimation : public TvgPropertyAnimation {
public:
  explicit TvgFloatAnimation(TComponent* AOwner) : TvgPropertyAnimation(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  float StartValue() const { return FStartFloat; }
  void SetStartValue(float value) { FStartFloat = value; }
  float StopValue() const { return FStopFloat; }
  void SetStopValue(float value) { FStopFloat = value; }

  void Start() override;

protected:
  void AnimateStep() override;

private:
  float FStartFloat = 0;
  float FStopFloat = 0;
};

}  // namespace vd
