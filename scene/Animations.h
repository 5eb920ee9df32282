#pragma once
// Property animations as stored objects: children of the object whose property they
// change, with their timing, easing, trigger conditions and end values.

#include <string>

#include "core/Event.h"
#include "scene/Colors.h"
#include "scene/Easing.h"
#include "scene/VgObject.h"

namespace vd {

class TvgAnimation : public TvgObject {
public:
  explicit TvgAnimation(TComponent* AOwner) : TvgObject(AOwner) {}
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
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  bool AutoReverse() const { return FAutoReverse; }
  void SetAutoReverse(bool value) { FAutoReverse = value; }

  TNotifyEvent OnFinish;
  TNotifyEvent OnProcess;

private:
  float FDuration = 0.2f;
  float FDelay = 0;
  bool FInverse = false;
  std::u16string FTrigger;
  std::u16string FTriggerInverse;
  bool FLoop = false;
  bool FHideOnFinish = false;
  TvgInterpolationType FInterpolation = vgInterpolationLinear;
  TvgAnimationType FAnimationType = vgAnimationIn;
  bool FEnabled = false;
  bool FAutoReverse = false;
};

// Changes a colour property of its parent (PropertyName, dotted for nested objects such as
// "Fill.Color") from StartValue to StopValue, both stored as "#AARRGGBB".
class TvgColorAnimation : public TvgAnimation {
public:
  explicit TvgColorAnimation(TComponent* AOwner) : TvgAnimation(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TvgColor StartColor() const { return FStartColor; }
  void SetStartColor(TvgColor value) { FStartColor = value; }
  TvgColor StopColor() const { return FStopColor; }
  void SetStopColor(TvgColor value) { FStopColor = value; }
  const std::u16string& PropertyName() const { return FPropertyName; }
  void SetPropertyName(const std::u16string& value) { FPropertyName = value; }
  // Whether a run starts from the property's value at that moment.
  bool StartFromCurrent() const { return FStartFromCurrent; }
  void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }

private:
  std::u16string StartValue() const { return ColorToStr(FStartColor); }
  void SetStartValue(const std::u16string& value) { FStartColor = StrToColor(value); }
  std::u16string StopValue() const { return ColorToStr(FStopColor); }
  void SetStopValue(const std::u16string& value) { FStopColor = StrToColor(value); }

  TvgColor FStartColor = 0xFFFFFFFF;
  TvgColor FStopColor = 0xFFFFFFFF;
  std::u16string FPropertyName;
  bool FStartFromCurrent = false;
};

// The same for a float property, from StartValue to StopValue.
class TvgFloatAnimation : public TvgAnimation {
public:
  explicit TvgFloatAnimation(TComponent* AOwner) : TvgAnimation(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  float StartValue() const { return FStartFloat; }
  void SetStartValue(float value) { FStartFloat = value; }
  float StopValue() const { return FStopFloat; }
  void SetStopValue(float value) { FStopFloat = value; }
  const std::u16string& PropertyName() const { return FPropertyName; }
  void SetPropertyName(const std::u16string& value) { FPropertyName = value; }
  bool StartFromCurrent() const { return FStartFromCurrent; }
  void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }

private:
  float FStartFloat = 0;
  float FStopFloat = 0;
  std::u16string FPropertyName;
  bool FStartFromCurrent = false;
};

}  // namespace vd
