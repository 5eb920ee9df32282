#pragma once
// The easing curves of property animations: Penner's equations for each interpolation,
// eased at the start (In), the end (Out) or both (InOut).

#include <string>
#include <vector>

namespace vd {

// Stored forms write these by their value names (Interpolation = vgInterpolationBack), so
// the names and their order are part of the stored format.
enum TvgInterpolationType {
  vgInterpolationLinear,
  vgInterpolationQuadratic,
  vgInterpolationCubic,
  vgInterpolationQuartic,
  vgInterpolationQuintic,
  vgInterpolationSinusoidal,
  vgInterpolationExponential,
  vgInterpolationCircular,
  vgInterpolationElastic,
  vgInterpolationBack,
  vgInterpolationBounce,
};

enum TvgAnimationType {
  vgAnimationIn,
  vgAnimationOut,
  vgAnimationInOut,
};

// The value names in order, as published enumeration properties list them.
std::vector<std::u16string> InterpolationTypeNames();
std::vector<std::u16string> AnimationTypeNames();

// The value at time t of a change from b by c over the duration d (an animation passes
// b = 0, c = 1, d = Duration and gets its eased time). t is held inside 0..d, so the curve
// never runs past its ends (Back and Elastic still overshoot between them). A duration that
// is not above 0, or not finite, gives 0; a delay that is still pending is the caller's
// concern, as is any meaning of a zero-length run.
float Ease(TvgInterpolationType interpolation, TvgAnimationType animationType, double t, double b, double c, double d);

}  // namespace vd
