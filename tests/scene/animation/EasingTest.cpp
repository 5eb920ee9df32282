#include "scene/animation/Easing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace vd {
namespace {

// Robert Penner's easing equations in their classic form (t time, b start, c change, d
// duration); where Penner changes t inside an expression, here it is a statement of its own.
constexpr double kPi = std::numbers::pi;
constexpr double kBack = 1.70158;  // Back's overshoot
double Linear(double t, double b, double c, double d) { return c * t / d + b; }
double QuadIn(double t, double b, double c, double d) { return c * std::pow(t / d, 2) + b; }
double QuadOut(double t, double b, double c, double d) { return -c * (t / d) * (t / d - 2) + b; }
double QuadInOut(double t, double b, double c, double d) {
  t /= d / 2;
  if (t < 1) return c / 2 * t * t + b;
  t -= 1;
  return -c / 2 * (t * (t - 2) - 1) + b;
}
double CubicIn(double t, double b, double c, double d) { return c * std::pow(t / d, 3) + b; }
double CubicOut(double t, double b, double c, double d) { return c * (std::pow(t / d - 1, 3) + 1) + b; }
double CubicInOut(double t, double b, double c, double d) {
  t /= d / 2;
  if (t < 1) return c / 2 * t * t * t + b;
  t -= 2;
  return c / 2 * (t * t * t + 2) + b;
}
double QuartIn(double t, double b, double c, double d) { return c * std::pow(t / d, 4) + b; }
double QuartOut(double t, double b, double c, double d) { return -c * (std::pow(t / d - 1, 4) - 1) + b; }
double QuartInOut(double t, double b, double c, double d) {
  t /= d / 2;
  if (t < 1) return c / 2 * t * t * t * t + b;
  t -= 2;
  return -c / 2 * (t * t * t * t - 2) + b;
}
double QuintIn(double t, double b, double c, double d) { return c * std::pow(t / d, 5) + b; }
double QuintOut(double t, double b, double c, double d) { return c * (std::pow(t / d - 1, 5) + 1) + b; }
double QuintInOut(double t, double b, double c, double d) {
  t /= d / 2;
  if (t < 1) return c / 2 * t * t * t * t * t + b;
  t -= 2;
  return c / 2 * (t * t * t * t * t + 2) + b;
}
double SineIn(double t, double b, double c, double d) { return -c * std::cos(t / d * (kPi / 2)) + c + b; }
double SineOut(double t, double b, double c, double d) { return c * std::sin(t / d * (kPi / 2)) + b; }
double SineInOut(double t, double b, double c, double d) { return -c / 2 * (std::cos(kPi * t / d) - 1) + b; }
double ExpoIn(double t, double b, double c, double d) { return t == 0 ? b : c * std::pow(2, 10 * (t / d - 1)) + b; }
double ExpoOut(double t, double b, double c, double d) {
  return t == d ? b + c : c * (-std::pow(2, -10 * t / d) + 1) + b;
}
double ExpoInOut(double t, double b, double c, double d) {
  if (t == 0) return b;
  if (t == d) return b + c;
  t /= d / 2;
  if (t < 1) return c / 2 * std::pow(2, 10 * (t - 1)) + b;
  t -= 1;
  return c / 2 * (-std::pow(2, -10 * t) + 2) + b;
}
double CircIn(double t, double b, double c, double d) { return -c * (std::sqrt(1 - std::pow(t / d, 2)) - 1) + b; }
double CircOut(double t, double b, double c, double d) { return c * std::sqrt(1 - std::pow(t / d - 1, 2)) + b; }
double CircInOut(double t, double b, double c, double d) {
  t /= d / 2;
  if (t < 1) return -c / 2 * (std::sqrt(1 - t * t) - 1) + b;
  t -= 2;
  return c / 2 * (std::sqrt(1 - t * t) + 1) + b;
}
// Elastic with the default amplitude: a = c, s = p / 4.
double ElasticIn(double t, double b, double c, double d) {
  if (t == 0) return b;
  t /= d;
  if (t == 1) return b + c;
  const double p = d * .3, a = c, s = p / 4;
  t -= 1;
  return -(a * std::pow(2, 10 * t) * std::sin((t * d - s) * (2 * kPi) / p)) + b;
}
double ElasticOut(double t, double b, double c, double d) {
  if (t == 0) return b;
  t /= d;
  if (t == 1) return b + c;
  const double p = d * .3, a = c, s = p / 4;
  return a * std::pow(2, -10 * t) * std::sin((t * d - s) * (2 * kPi) / p) + c + b;
}
double ElasticInOut(double t, double b, double c, double d) {
  if (t == 0) return b;
  t /= d / 2;
  if (t == 2) return b + c;
  const double p = d * (.3 * 1.5), a = c, s = p / 4;
  if (t < 1) {
    t -= 1;
    return -.5 * (a * std::pow(2, 10 * t) * std::sin((t * d - s) * (2 * kPi) / p)) + b;
  }
  t -= 1;
  return a * std::pow(2, -10 * t) * std::sin((t * d - s) * (2 * kPi) / p) * .5 + c + b;
}
double BackIn(double t, double b, double c, double d) {
  return c * std::pow(t / d, 2) * ((kBack + 1) * (t / d) - kBack) + b;
}
double BackOut(double t, double b, double c, double d) {
  return c * (std::pow(t / d - 1, 2) * ((kBack + 1) * (t / d - 1) + kBack) + 1) + b;
}
double BackInOut(double t, double b, double c, double d) {
  const double s = kBack * 1.525;
  t /= d / 2;
  if (t < 1) return c / 2 * (t * t * ((s + 1) * t - s)) + b;
  t -= 2;
  return c / 2 * (t * t * ((s + 1) * t + s) + 2) + b;
}
double BounceOut(double t, double b, double c, double d) {
  t /= d;
  if (t < 1 / 2.75) return c * (7.5625 * t * t) + b;
  if (t < 2 / 2.75) {
    t -= 1.5 / 2.75;
    return c * (7.5625 * t * t + .75) + b;
  }
  if (t < 2.5 / 2.75) {
    t -= 2.25 / 2.75;
    return c * (7.5625 * t * t + .9375) + b;
  }
  t -= 2.625 / 2.75;
  return c * (7.5625 * t * t + .984375) + b;
}
double BounceIn(double t, double b, double c, double d) { return c - BounceOut(d - t, 0, c, d) + b; }
double BounceInOut(double t, double b, double c, double d) {
  if (t < d / 2) return BounceIn(t * 2, 0, c, d) * .5 + b;
  return BounceOut(t * 2 - d, 0, c, d) * .5 + c * .5 + b;
}

using TEquation = double (*)(double, double, double, double);
struct TCurve {
  TvgInterpolationType Interpolation;
  TEquation In, Out, InOut;
};
constexpr TCurve kCurves[] = {
    {vgInterpolationLinear, Linear, Linear, Linear},
    {vgInterpolationQuadratic, QuadIn, QuadOut, QuadInOut},
    {vgInterpolationCubic, CubicIn, CubicOut, CubicInOut},
    {vgInterpolationQuartic, QuartIn, QuartOut, QuartInOut},
    {vgInterpolationQuintic, QuintIn, QuintOut, QuintInOut},
    {vgInterpolationSinusoidal, SineIn, SineOut, SineInOut},
    {vgInterpolationExponential, ExpoIn, ExpoOut, ExpoInOut},
    {vgInterpolationCircular, CircIn, CircOut, CircInOut},
    {vgInterpolationElastic, ElasticIn, ElasticOut, ElasticInOut},
    {vgInterpolationBack, BackIn, BackOut, BackInOut},
    {vgInterpolationBounce, BounceIn, BounceOut, BounceInOut},
};

TEST(EasingTest, EveryCurveFollowsPennersEquations) {
  // An animation's own parameters (a default-length run), and a general change.
  struct TRun {
    double b, c, d;
  };
  for (const TRun run : {TRun{0, 1, 0.2}, TRun{-0.5, 2, 2.5}}) {
    for (const TCurve& curve : kCurves) {
      const std::pair<TvgAnimationType, TEquation> types[] = {
          {vgAnimationIn, curve.In}, {vgAnimationOut, curve.Out}, {vgAnimationInOut, curve.InOut}};
      for (const auto& [type, equation] : types) {
        for (int i = 0; i <= 20; ++i) {
          const double t = run.d * (i / 20.0);
          SCOPED_TRACE(testing::Message() << "interpolation " << curve.Interpolation << ", type " << type << ", t " << t
                                          << ", b " << run.b << ", c " << run.c << ", d " << run.d);
          EXPECT_NEAR(Ease(curve.Interpolation, type, t, run.b, run.c, run.d), equation(t, run.b, run.c, run.d), 1e-6);
        }
      }
    }
  }
}

TEST(EasingTest, OddTimesAndDurationsStayInsideTheRun) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct TCase {
    double t, d;
    float expected;
  };
  // Back In dips below 0 inside the run, so a time held at an end shows as exactly 0 or 1.
  for (const TCase& c : {TCase{0.5, 0, 0}, TCase{0.5, -1, 0}, TCase{0.5, kNaN, 0}, TCase{0.5, kInf, 0},
                         TCase{-0.3, 1, 0}, TCase{kNaN, 1, 0}, TCase{1.7, 1, 1}, TCase{kInf, 1, 1}}) {
    SCOPED_TRACE(testing::Message() << "t " << c.t << ", d " << c.d);
    EXPECT_EQ(Ease(vgInterpolationBack, vgAnimationIn, c.t, 0, 1, c.d), c.expected);
  }
}

TEST(EasingTest, ValueNamesFollowTheEnumerations) {
  EXPECT_EQ(
      InterpolationTypeNames(),
      (std::vector<std::u16string>{u"vgInterpolationLinear", u"vgInterpolationQuadratic", u"vgInterpolationCubic",
                                   u"vgInterpolationQuartic", u"vgInterpolationQuintic", u"vgInterpolationSinusoidal",
                                   u"vgInterpolationExponential", u"vgInterpolationCircular", u"vgInterpolationElastic",
                                   u"vgInterpolationBack", u"vgInterpolationBounce"}));
  EXPECT_EQ(AnimationTypeNames(),
            (std::vector<std::u16string>{u"vgAnimationIn", u"vgAnimationOut", u"vgAnimationInOut"}));
}

}  // namespace
}  // namespace vd
