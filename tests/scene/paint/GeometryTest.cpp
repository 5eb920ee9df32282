// Geometry: the fitting and centring of rectangles that layout and picture drawing share,
// and rounding half to even.

#include "scene/paint/Geometry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vd {
namespace {

struct TFitCase {
  TvgRect Source, Target, Expected;
  float Ratio;
};

class FitRectTest : public ::testing::TestWithParam<TFitCase> {};

TEST_P(FitRectTest, FitsAndCentres) {
  TvgRect rect = GetParam().Source;
  EXPECT_FLOAT_EQ(FitRect(rect, GetParam().Target), GetParam().Ratio);
  EXPECT_EQ(rect, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitRectTest,
                         ::testing::Values(
                             // The About window's background picture: ratio 1327/400, drawn 502 × 400 one pixel in.
                             TFitCase{{0, 0, 1667, 1327}, {0, 0, 504, 400}, {1, 0, 503, 400}, 3.3175f},
                             // The web button's picture keeps its size: offsets Round(3.5) = 4 and Round(0.5) = 0.
                             TFitCase{{0, 0, 70, 30}, {0, 0, 77, 31}, {4, 0, 74, 30}, 30.0f / 31},
                             // Half pixels round to even, also below zero; a target without area changes nothing.
                             TFitCase{{0, 0, 5, 5}, {10, 10, 20, 20}, {12, 12, 17, 17}, 0.5f},
                             TFitCase{{0, 0, 10, 10}, {0, 0, 7, 7}, {0, 0, 7, 7}, 10.0f / 7},
                             TFitCase{{0, 0, 3, 3}, {-10, -10, -4, -4}, {-8, -8, -5, -5}, 0.5f},
                             TFitCase{{1, 2, 3, 4}, {0, 0, 0, 9}, {1, 2, 3, 4}, 1}));

TEST(GeometryTest, RoundsHalfToEven) {
  for (const auto& [value, rounded] : std::vector<std::pair<float, float>>{
           {0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {-0.5f, 0}, {-1.5f, -2}, {2.4f, 2}, {2.6f, 3}, {-2.6f, -3}})
    EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

}  // namespace
}  // namespace vd
