#include "scene/animation/Easing.h"

#include <cmath>
#include <numbers>

namespace vd {

namespace {

double BounceOut(double u) {
  constexpr double k = 7.5625;
  if (u < 1 / 2.75) return k * u * u;
  if (u < 2 / 2.75) {
    u -= 1.5 / 2.75;
    return k * u * u + 0.75;
  }
  if (u < 2.5 / 2.75) {
    u -= 2.25 / 2.75;
    return k * u * u + 0.9375;
  }
  u -= 2.625 / 2.75;
  return k * u * u + 0.984375;
}

// Each curve in its In form over u = 0..1, from 0 to 1. Out is its mirror, 1 - In(1 - u), and
// InOut runs In at double speed over the first half and the mirror over the second; that is
// Penner's Out and InOut for every curve, where Elastic and Back use other constants for
// InOut (`inOut`).
double EaseIn(TvgInterpolationType interpolation, double u, bool inOut) {
  using std::numbers::pi;
  switch (interpolation) {
    case vgInterpolationLinear:
      return u;
    case vgInterpolationQuadratic:
      return u * u;
    case vgInterpolationCubic:
      return u * u * u;
    case vgInterpolationQuartic:
      return u * u * u * u;
    case vgInterpolationQuintic:
      return u * u * u * u * u;
    case vgInterpolationSinusoidal:
      return 1 - std::cos(u * pi / 2);
    case vgInterpolationExponential:
      // The curve itself starts at 2^-10; the run starts exactly at 0.
      return u == 0 ? 0 : std::pow(2, 10 * (u - 1));
    case vgInterpolationCircular:
      return 1 - std::sqrt(1 - u * u);
    case vgInterpolationElastic: {
      if (u == 0 || u == 1) return u;
      // Period 0.3 of the run (0.45 for InOut), amplitude 1, phase a quarter period.
      const double period = inOut ? 0.45 : 0.3;
      return -std::pow(2, 10 * (u - 1)) * std::sin((u - 1 - period / 4) * 2 * pi / period);
    }
    case vgInterpolationBack: {
      const double s = inOut ? 1.70158 * 1.525 : 1.70158;
      return u * u * ((s + 1) * u - s);
    }
    case vgInterpolationBounce:
      return 1 - BounceOut(1 - u);
  }
  return u;
}

}  // namespace

std::vector<std::u16string> InterpolationTypeNames() {
  return {u"vgInterpolationLinear",      u"vgInterpolationQuadratic", u"vgInterpolationCubic",
          u"vgInterpolationQuartic",     u"vgInterpolationQuintic",   u"vgInterpolationSinusoidal",
          u"vgInterpolationExponential", u"vgInterpolationCircular",  u"vgInterpolationElastic",
          u"vgInterpolationBack",        u"vgInterpolationBounce"};
}

std::vector<std::u16string> AnimationTypeNames() { return {u"vgAnimationIn", u"vgAnimationOut", u"vgAnimationInOut"}; }

float Ease(TvgInterpolationType interpolation, TvgAnimationType animationType, double t, double b, double c, double d) {
  if (!(d > 0) || !std::isfinite(d)) return 0;
  // Written so that a NaN time lands on 0.
  const double u = t > 0 ? std::fmin(t, d) / d : 0;
  double eased = 0;
  switch (animationType) {
    case vgAnimationIn:
      eased = EaseIn(interpolation, u, false);
      break;
    case vgAnimationOut:
      eased = 1 - EaseIn(interpolation, 1 - u, false);
      break;
    case vgAnimationInOut:
      eased = u < 0.5 ? EaseIn(interpolation, 2 * u, true) / 2 : 1 - EaseIn(interpolation, 2 - 2 * u, true) / 2;
      break;
  }
  return static_cast<float>(b + c * eased);
}

}  // namespace vd
