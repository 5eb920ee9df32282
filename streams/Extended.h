#pragma once
// The 10-byte extended-precision float of object streams (x87 layout, little-endian: a
// 64-bit significand with an explicit integer bit, then sign and a 15-bit exponent). The
// conversion is done in code so that it does not depend on the compiler's long double.

#include <array>
#include <cstdint>

namespace vd {

using TExtendedBytes = std::array<std::uint8_t, 10>;

// Exact: every double, including subnormals, infinities and NaNs, has an extended form.
TExtendedBytes DoubleToExtended(double value);
// Rounds to the nearest double (ties to even); too large gives an infinity, too small a
// subnormal or zero. A NaN stays a NaN.
double ExtendedToDouble(const TExtendedBytes& bytes);

}  // namespace vd
