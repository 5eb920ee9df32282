#include "streams/Extended.h"

#include <bit>
#include <cstring>

namespace vd {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;

TExtendedBytes Pack(bool negative, std::uint32_t exponent, std::uint64_t significand) {
  TExtendedBytes out{};
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  const std::uint32_t top = (negative ? 0x8000u : 0u) | exponent;
  out[8] = static_cast<std::uint8_t>(top);
  out[9] = static_cast<std::uint8_t>(top >> 8);
  return out;
}

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

}  // namespace

TExtendedBytes DoubleToExtended(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kDoubleFraction;
  if (exponent == 0x7FF) return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
  if (exponent == 0 && fraction == 0) return Pack(negative, 0, 0);
  if (exponent == 0) {
    // Subnormal double: normalise, the extended exponent range is wide enough.
    const int shift = std::countl_zero(fraction);
    return Pack(negative, static_cast<std::uint32_t>(kExtendedBias + 63 - 1074 - shift), fraction << shift);
  }
  return Pack(negative, static_cast<std::uint32_t>(exponent - kDoubleBias + kExtendedBias),
              kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const TExtendedBytes& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  const std::uint32_t top = bytes[8] | (static_cast<std::uint32_t>(bytes[9]) << 8);
  const std::uint64_t sign = static_cast<std::uint64_t>(top >> 15) << 63;
  const int exponent = static_cast<int>(top & 0x7FFF);

  if (exponent == 0x7FFF) {
    if ((significand & ~kIntegerBit) == 0 && (significand & kIntegerBit) != 0)
      return FromBits(sign | (std::uint64_t{0x7FF} << 52));
    // A NaN keeps the top of its payload; the quiet bit makes sure it stays a NaN.
    return FromBits(sign | (std::uint64_t{0x7FF} << 52) | (std::uint64_t{1} << 51) |
                    ((significand >> 11) & kDoubleFraction));
  }
  if (significand == 0) return FromBits(sign);

  // value = significand * 2^(e - 63) with e the unbiased exponent; normalise so that the
  // top bit is set (denormal and unnormal forms included).
  const int shift = std::countl_zero(significand);
  significand <<= shift;
  const int e = (exponent == 0 ? 1 : exponent) - kExtendedBias - shift;
  if (e > kDoubleBias) return FromBits(sign | (std::uint64_t{0x7FF} << 52));

  // Keep 53 bits for a normal result, fewer for a subnormal one, and round half to even.
  const int dropped = e >= 1 - kDoubleBias ? 11 : 11 + (1 - kDoubleBias - e);
  if (dropped > 64) return FromBits(sign);
  std::uint64_t mantissa = dropped == 64 ? 0 : significand >> dropped;
  const std::uint64_t rest = dropped == 64 ? significand : significand & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  if (rest > half || (rest == half && (mantissa & 1) != 0)) ++mantissa;

  if (dropped > 11) return FromBits(sign | mantissa);  // subnormal; a carry makes it the smallest normal
  int biased = e + kDoubleBias;
  if (mantissa == (std::uint64_t{1} << 53)) {
    mantissa >>= 1;
    ++biased;
  }
  if (biased >= 0x7FF) return FromBits(sign | (std::uint64_t{0x7FF} << 52));
  return FromBits(sign | (static_cast<std::uint64_t>(biased) << 52) | (mantissa & kDoubleFraction));
}

}  // namespace vd
