#pragma once
// A HID top-level collection, named by its usage page and usage.

#include <cstdint>

namespace vd {

struct USAGE_AND_PAGE {
  std::uint16_t Usage = 0;
  std::uint16_t UsagePage = 0;

  // The pair as one 32-bit value: usage in the low half, usage page in the high half.
  constexpr std::uint32_t AsUInt32() const { return Usage | (static_cast<std::uint32_t>(UsagePage) << 16); }
};

}  // namespace vd
