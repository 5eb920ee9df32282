#pragma once
// Colours of the scene toolkit: 32-bit ARGB values (alpha in the top byte, then red, green,
// blue), their text form, and the per-channel step of colour animations.

#include <cstdint>
#include <string>
#include <string_view>

namespace vd {

using TvgColor = std::uint32_t;

// Reads a colour text:
// - "#" and 1 to 8 hexadecimal digits, either case ("#FFF9890F"); the digits are the whole
//   value, so "#FF0000" is red with alpha 0. Leading zeros may make it longer, but a value
//   above FFFFFFFF, a sign, or no digit at all gives 0.
// - One of the 147 SVG 1.1 colour keywords, in any case ("Aliceblue", "ALICEBLUE"), with
//   alpha FF.
// - Otherwise a decimal integer with an optional sign, from -2147483648 to 4294967295
//   (so both a signed and an unsigned 32-bit reading of a colour work; negative values are
//   taken in two's complement).
// Anything else, spaces included, and the empty text, gives 0.
TvgColor StrToColor(std::u16string_view text);

// "#" and eight upper-case hexadecimal digits, alpha first: "#FFF9890F".
std::u16string ColorToStr(TvgColor color);

// The colour at `eased` (0 at start, 1 at stop) of a change from start to stop: each of the
// four channels separately moves by Trunc(eased * (stop - start)) and keeps its low 8 bits,
// so an easing that overshoots wraps the channel around. An `eased` that is not finite
// leaves start as it is.
TvgColor InterpolateColor(TvgColor start, TvgColor stop, float eased);

}  // namespace vd
