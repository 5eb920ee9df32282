#pragma once
// Animations made on the fly: each moves a property of an object (a dotted path, as
// animations name it) from its current value to a new one through a child animation of the
// object that goes when it ends. One that could not run over time (a hidden object does not
// animate, and without a clock nothing advances it) lands on its value at once instead.

#include <string_view>

#include "scene/animation/Easing.h"
#include "scene/paint/Colors.h"

namespace vd {

class TvgObject;

void AnimateColor(TvgObject& AObject, std::u16string_view APropertyName, TvgColor NewColor, float Duration = 0.2f,
                  TvgAnimationType AType = vgAnimationIn, TvgInterpolationType AInterpolation = vgInterpolationLinear);
void AnimateFloat(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration = 0.2f,
                  TvgAnimationType AType = vgAnimationIn, TvgInterpolationType AInterpolation = vgInterpolationLinear);
// The same after a delay, in seconds.
void AnimateFloatDelay(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration = 0.2f,
                       float Delay = 0, TvgAnimationType AType = vgAnimationIn,
                       TvgInterpolationType AInterpolation = vgInterpolationLinear);
// The same, returning when the property has its new value.
void AnimateFloatWait(TvgObject& AObject, std::u16string_view APropertyName, float NewValue, float Duration = 0.2f,
                      TvgAnimationType AType = vgAnimationIn,
                      TvgInterpolationType AInterpolation = vgInterpolationLinear);

}  // namespace vd
