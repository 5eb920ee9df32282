#include "scene/Animations.h"

namespace vd {

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
      TClassBuilder<TvgColorAnimation>(u"TvgColorAnimation", TvgAnimation::StaticClassInfo())
          .Creatable()
          .String(u"StartValue", &TvgColorAnimation::StartValue, &TvgColorAnimation::SetStartValue)
          .String(u"StopValue", &TvgColorAnimation::StopValue, &TvgColorAnimation::SetStopValue)
          .String(u"PropertyName", &TvgColorAnimation::PropertyName, &TvgColorAnimation::SetPropertyName)
          .Boolean(u"StartFromCurrent", &TvgColorAnimation::StartFromCurrent, &TvgColorAnimation::SetStartFromCurrent)
          .Default(false)
          .Build();
  return info;
}

const TClassInfo& TvgFloatAnimation::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgFloatAnimation>(u"TvgFloatAnimation", TvgAnimation::StaticClassInfo())
          .Creatable()
          .Float(u"StartValue", &TvgFloatAnimation::StartValue, &TvgFloatAnimation::SetStartValue)
          .Float(u"StopValue", &TvgFloatAnimation::StopValue, &TvgFloatAnimation::SetStopValue)
          .String(u"PropertyName", &TvgFloatAnimation::PropertyName, &TvgFloatAnimation::SetPropertyName)
          .Boolean(u"StartFromCurrent", &TvgFloatAnimation::StartFromCurrent, &TvgFloatAnimation::SetStartFromCurrent)
          .Default(false)
          .Build();
  return info;
}

}  // namespace vd
