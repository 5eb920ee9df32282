#include "streams/Extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace vd {
namespace {

TExtendedBytes Bytes(std::uint64_t significand, std::uint16_t signAndExponent) {
  TExtendedBytes out{};
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  out[8] = static_cast<std::uint8_t>(signAndExponent);
  out[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
  return out;
}

TEST(ExtendedTest, DoublesHaveTheirExactExtendedForm) {
  EXPECT_EQ(DoubleToExtended(1.0), Bytes(0x8000000000000000, 0x3FFF));
  EXPECT_EQ(DoubleToExtended(-2.5), Bytes(0xA000000000000000, 0xC000));
  EXPECT_EQ(DoubleToExtended(0.0), Bytes(0, 0));
  EXPECT_EQ(DoubleToExtended(-0.0), Bytes(0, 0x8000));
  EXPECT_EQ(DoubleToExtended(0.1), Bytes(0xCCCCCCCCCCCCD000, 0x3FFB));
  EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::infinity()), Bytes(0x8000000000000000, 0x7FFF));
  // The smallest subnormal double, 2^-1074, is a normal extended number.
  EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::denorm_min()), Bytes(0x8000000000000000, 16383 - 1074));
}

TEST(ExtendedTest, EveryKindOfDoubleComesBackUnchanged) {
  const double values[] = {1.0,
                           -1.0,
                           0.1,
                           1e300,
                           -1e-300,
                           5e-324,
                           2.2250738585072014e-308,
                           1.7976931348623157e308,
                           123456789.125,
                           std::numeric_limits<double>::infinity(),
                           -0.0};
  for (const double value : values) {
    const double back = ExtendedToDouble(DoubleToExtended(value));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << value;
  }
  EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::numeric_limits<double>::quiet_NaN()))));
}

TEST(ExtendedTest, MorePreciseValuesRoundToNearestEven) {
  EXPECT_EQ(ExtendedToDouble(Bytes(0xCCCCCCCCCCCCCCCD, 0x3FFB)), 0.1);  // 0.1 to 64 bits
  // 1 + 2^-53 lies halfway between 1 and the next double: ties go to the even 1.
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000400, 0x3FFF)), 1.0);
  // Just above halfway rounds up.
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000401, 0x3FFF)), std::nextafter(1.0, 2.0));
  // Halfway above an odd significand rounds up to the even one.
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000C00, 0x3FFF)), 1.0 + 2 * std::ldexp(1.0, -52));
  // A carry out of the significand moves to the next power of two.
  EXPECT_EQ(ExtendedToDouble(Bytes(0xFFFFFFFFFFFFFFFF, 0x3FFF)), 2.0);
}

TEST(ExtendedTest, OutOfRangeValuesBecomeInfinityOrSubnormalsOrZero) {
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 0x7FFE)), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 0xFFFE)), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 16383 - 1074)), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 16383 - 1075)), 0.0);  // a tie: rounds to even zero
  EXPECT_EQ(ExtendedToDouble(Bytes(0xC000000000000000, 16383 - 1075)), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 1)), 0.0);
  EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 16383 - 1023)), std::ldexp(1.0, -1023));
  // A subnormal that rounds up into the normal range.
  EXPECT_EQ(ExtendedToDouble(Bytes(0xFFFFFFFFFFFFFFFF, 16383 - 1023)), std::ldexp(1.0, -1022));
  // Denormal and unnormal extended forms are read by their value.
  EXPECT_EQ(ExtendedToDouble(Bytes(0x4000000000000000, 0x3FFF)), 0.5);
  EXPECT_EQ(ExtendedToDouble(Bytes(1, 0)), 0.0);
  EXPECT_TRUE(std::isnan(ExtendedToDouble(Bytes(0, 0x7FFF))));  // pseudo-infinity
  EXPECT_TRUE(std::isnan(ExtendedToDouble(Bytes(0xC000000000000000, 0xFFFF))));
}

}  // namespace
}  // namespace vd
