#include "scene/paint/Colors.h"

#include <cmath>
#include <iterator>
#include <optional>

#include "base/Strings.h"

namespace vd {

namespace {

struct TColorKeyword {
  std::u16string_view Name;
  TvgColor Value;
};

// The SVG 1.1 colour keywords, both spellings of the greys included.
constexpr TColorKeyword kColorKeywords[] = {
    {u"Aliceblue", 0xFFF0F8FF},
    {u"Antiquewhite", 0xFFFAEBD7},
    {u"Aqua", 0xFF00FFFF},
    {u"Aquamarine", 0xFF7FFFD4},
    {u"Azure", 0xFFF0FFFF},
    {u"Beige", 0xFFF5F5DC},
    {u"Bisque", 0xFFFFE4C4},
    {u"Black", 0xFF000000},
    {u"Blanchedalmond", 0xFFFFEBCD},
    {u"Blue", 0xFF0000FF},
    {u"Blueviolet", 0xFF8A2BE2},
    {u"Brown", 0xFFA52A2A},
    {u"Burlywood", 0xFFDEB887},
    {u"Cadetblue", 0xFF5F9EA0},
    {u"Chartreuse", 0xFF7FFF00},
    {u"Chocolate", 0xFFD2691E},
    {u"Coral", 0xFFFF7F50},
    {u"Cornflowerblue", 0xFF6495ED},
    {u"Cornsilk", 0xFFFFF8DC},
    {u"Crimson", 0xFFDC143C},
    {u"Cyan", 0xFF00FFFF},
    {u"Darkblue", 0xFF00008B},
    {u"Darkcyan", 0xFF008B8B},
    {u"Darkgoldenrod", 0xFFB8860B},
    {u"Darkgray", 0xFFA9A9A9},
    {u"Darkgreen", 0xFF006400},
    {u"Darkgrey", 0xFFA9A9A9},
    {u"Darkkhaki", 0xFFBDB76B},
    {u"Darkmagenta", 0xFF8B008B},
    {u"Darkolivegreen", 0xFF556B2F},
    {u"Darkorange", 0xFFFF8C00},
    {u"Darkorchid", 0xFF9932CC},
    {u"Darkred", 0xFF8B0000},
    {u"Darksalmon", 0xFFE9967A},
    {u"Darkseagreen", 0xFF8FBC8F},
    {u"Darkslateblue", 0xFF483D8B},
    {u"Darkslategray", 0xFF2F4F4F},
    {u"Darkslategrey", 0xFF2F4F4F},
    {u"Darkturquoise", 0xFF00CED1},
    {u"Darkviolet", 0xFF9400D3},
    {u"Deeppink", 0xFFFF1493},
    {u"Deepskyblue", 0xFF00BFFF},
    {u"Dimgray", 0xFF696969},
    {u"Dimgrey", 0xFF696969},
    {u"Dodgerblue", 0xFF1E90FF},
    {u"Firebrick", 0xFFB22222},
    {u"Floralwhite", 0xFFFFFAF0},
    {u"Forestgreen", 0xFF228B22},
    {u"Fuchsia", 0xFFFF00FF},
    {u"Gainsboro", 0xFFDCDCDC},
    {u"Ghostwhite", 0xFFF8F8FF},
    {u"Gold", 0xFFFFD700},
    {u"Goldenrod", 0xFFDAA520},
    {u"Gray", 0xFF808080},
    {u"Grey", 0xFF808080},
    {u"Green", 0xFF008000},
    {u"Greenyellow", 0xFFADFF2F},
    {u"Honeydew", 0xFFF0FFF0},
    {u"Hotpink", 0xFFFF69B4},
    {u"Indianred", 0xFFCD5C5C},
    {u"Indigo", 0xFF4B0082},
    {u"Ivory", 0xFFFFFFF0},
    {u"Khaki", 0xFFF0E68C},
    {u"Lavender", 0xFFE6E6FA},
    {u"Lavenderblush", 0xFFFFF0F5},
    {u"Lawngreen", 0xFF7CFC00},
    {u"Lemonchiffon", 0xFFFFFACD},
    {u"Lightblue", 0xFFADD8E6},
    {u"Lightcoral", 0xFFF08080},
    {u"Lightcyan", 0xFFE0FFFF},
    {u"Lightgoldenrodyellow", 0xFFFAFAD2},
    {u"Lightgray", 0xFFD3D3D3},
    {u"Lightgreen", 0xFF90EE90},
    {u"Lightgrey", 0xFFD3D3D3},
    {u"Lightpink", 0xFFFFB6C1},
    {u"Lightsalmon", 0xFFFFA07A},
    {u"Lightseagreen", 0xFF20B2AA},
    {u"Lightskyblue", 0xFF87CEFA},
    {u"Lightslategray", 0xFF778899},
    {u"Lightslategrey", 0xFF778899},
    {u"Lightsteelblue", 0xFFB0C4DE},
    {u"Lightyellow", 0xFFFFFFE0},
    {u"Lime", 0xFF00FF00},
    {u"Limegreen", 0xFF32CD32},
    {u"Linen", 0xFFFAF0E6},
    {u"Magenta", 0xFFFF00FF},
    {u"Maroon", 0xFF800000},
    {u"Mediumaquamarine", 0xFF66CDAA},
    {u"Mediumblue", 0xFF0000CD},
    {u"Mediumorchid", 0xFFBA55D3},
    {u"Mediumpurple", 0xFF9370DB},
    {u"Mediumseagreen", 0xFF3CB371},
    {u"Mediumslateblue", 0xFF7B68EE},
    {u"Mediumspringgreen", 0xFF00FA9A},
    {u"Mediumturquoise", 0xFF48D1CC},
    {u"Mediumvioletred", 0xFFC71585},
    {u"Midnightblue", 0xFF191970},
    {u"Mintcream", 0xFFF5FFFA},
    {u"Mistyrose", 0xFFFFE4E1},
    {u"Moccasin", 0xFFFFE4B5},
    {u"Navajowhite", 0xFFFFDEAD},
    {u"Navy", 0xFF000080},
    {u"Oldlace", 0xFFFDF5E6},
    {u"Olive", 0xFF808000},
    {u"Olivedrab", 0xFF6B8E23},
    {u"Orange", 0xFFFFA500},
    {u"Orangered", 0xFFFF4500},
    {u"Orchid", 0xFFDA70D6},
    {u"Palegoldenrod", 0xFFEEE8AA},
    {u"Palegreen", 0xFF98FB98},
    {u"Paleturquoise", 0xFFAFEEEE},
    {u"Palevioletred", 0xFFDB7093},
    {u"Papayawhip", 0xFFFFEFD5},
    {u"Peachpuff", 0xFFFFDAB9},
    {u"Peru", 0xFFCD853F},
    {u"Pink", 0xFFFFC0CB},
    {u"Plum", 0xFFDDA0DD},
    {u"Powderblue", 0xFFB0E0E6},
    {u"Purple", 0xFF800080},
    {u"Red", 0xFFFF0000},
    {u"Rosybrown", 0xFFBC8F8F},
    {u"Royalblue", 0xFF4169E1},
    {u"Saddlebrown", 0xFF8B4513},
    {u"Salmon", 0xFFFA8072},
    {u"Sandybrown", 0xFFF4A460},
    {u"Seagreen", 0xFF2E8B57},
    {u"Seashell", 0xFFFFF5EE},
    {u"Sienna", 0xFFA0522D},
    {u"Silver", 0xFFC0C0C0},
    {u"Skyblue", 0xFF87CEEB},
    {u"Slateblue", 0xFF6A5ACD},
    {u"Slategray", 0xFF708090},
    {u"Slategrey", 0xFF708090},
    {u"Snow", 0xFFFFFAFA},
    {u"Springgreen", 0xFF00FF7F},
    {u"Steelblue", 0xFF4682B4},
    {u"Tan", 0xFFD2B48C},
    {u"Teal", 0xFF008080},
    {u"Thistle", 0xFFD8BFD8},
    {u"Tomato", 0xFFFF6347},
    {u"Turquoise", 0xFF40E0D0},
    {u"Violet", 0xFFEE82EE},
    {u"Wheat", 0xFFF5DEB3},
    {u"White", 0xFFFFFFFF},
    {u"Whitesmoke", 0xFFF5F5F5},
    {u"Yellow", 0xFFFFFF00},
    {u"Yellowgreen", 0xFF9ACD32},
};
static_assert(std::size(kColorKeywords) == 147);

// The value of a run of digits in `base` (10 or 16), if there is at least one digit, every
// character is one, and the value does not pass `limit` (at most 2^32, so nothing overflows).
std::optional<std::uint64_t> ParseDigits(std::u16string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char16_t c : digits) {
    unsigned digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (base == 16 && AsciiLower(c) >= u'a' && AsciiLower(c) <= u'f') {
      digit = AsciiLower(c) - u'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

// Trunc(x) modulo 256 (its low 8 bits are all a channel keeps); exact for any finite x.
int TruncLow8(double x) { return std::isfinite(x) ? static_cast<int>(std::fmod(std::trunc(x), 256.0)) : 0; }

}  // namespace

TvgColor StrToColor(std::u16string_view text) {
  if (text.empty()) return 0;
  if (text.front() == u'#') return static_cast<TvgColor>(ParseDigits(text.substr(1), 16, 0xFFFFFFFF).value_or(0));
  for (const TColorKeyword& keyword : kColorKeywords) {
    if (SameTextAscii(text, keyword.Name)) return keyword.Value;
  }
  const bool negative = text.front() == u'-';
  if (negative || text.front() == u'+') text.remove_prefix(1);
  const std::uint64_t value = ParseDigits(text, 10, negative ? 0x80000000u : 0xFFFFFFFFu).value_or(0);
  return static_cast<TvgColor>(negative ? 0 - value : value);
}

std::u16string ColorToStr(TvgColor color) { return u"#" + IntToHex(color, 8); }

TvgColor InterpolateColor(TvgColor start, TvgColor stop, float eased) {
  TvgColor result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int from = (start >> shift) & 0xFF;
    const int to = (stop >> shift) & 0xFF;
    const int channel = from + TruncLow8(static_cast<double>(eased) * (to - from));
    result |= static_cast<TvgColor>(channel & 0xFF) << shift;
  }
  return result;
}

}  // namespace vd
