#include "scene/Colors.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "core/Strings.h"

namespace vd {
namespace {

struct TKeyword {
  const char* Name;
  std::uint32_t Rgb;
};
// The SVG 1.1 colour keywords (the same as CSS Colour Level 3's) with their RGB values.
constexpr TKeyword kSvgKeywords[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"grey", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};
static_assert(std::size(kSvgKeywords) == 147);

TEST(ColorsTest, EverySvgKeywordReadsInAnyCaseWithFullAlpha) {
  std::set<std::string> names;
  for (const TKeyword& keyword : kSvgKeywords) {
    SCOPED_TRACE(keyword.Name);
    EXPECT_TRUE(names.insert(keyword.Name).second);
    std::u16string name = FromUtf8(keyword.Name);
    EXPECT_EQ(StrToColor(name), 0xFF000000 | keyword.Rgb);
    for (char16_t& c : name) c = static_cast<char16_t>(c - u'a' + u'A');
    EXPECT_EQ(StrToColor(name), 0xFF000000 | keyword.Rgb);
  }
}

TEST(ColorsTest, ReadsText) {
  const struct {
    std::u16string_view Text;
    TvgColor Expected;
  } cases[] = {// Hexadecimal: the digits are the whole value.
               {u"#FFF9890F", 0xFFF9890F},
               {u"#fff9890f", 0xFFF9890F},
               {u"#FF0000", 0x00FF0000},
               {u"#1", 1},
               {u"#00FFFFFFFF", 0xFFFFFFFF},
               {u"#1FFFFFFFF", 0},
               {u"#", 0},
               {u"#-1", 0},
               {u"#+1", 0},
               {u"#FFG", 0},
               {u"# FF", 0},
               {u"##FF", 0},
               // Keywords only as they stand, and only the SVG 1.1 ones.
               {u"Aliceblue", 0xFFF0F8FF},
               {u"lightGoldenRodYellow", 0xFFFAFAD2},
               {u"red ", 0},
               {u"bluex", 0},
               {u"rebeccapurple", 0},
               {u"transparent", 0},
               {u"\uFF21qua", 0},
               // Integers, signed or unsigned 32-bit.
               {u"", 0},
               {u"0", 0},
               {u"255", 255},
               {u"+255", 255},
               {u"-1", 0xFFFFFFFF},
               {u"-16777216", 0xFF000000},
               {u"4294967295", 0xFFFFFFFF},
               {u"4294967296", 0},
               {u"-2147483648", 0x80000000},
               {u"-2147483649", 0},
               {u"99999999999999999999999999", 0},
               {u"-", 0},
               {u"+", 0},
               {u"+-1", 0},
               {u" 12", 0},
               {u"12 ", 0},
               {u"1.5", 0},
               {u"0x10", 0},
               {u"FF", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.Text));
    EXPECT_EQ(StrToColor(c.Text), c.Expected);
  }
}

TEST(ColorsTest, WritesEightUpperCaseDigitsAlphaFirst) {
  EXPECT_EQ(ColorToStr(0xFFF9890F), u"#FFF9890F");
  EXPECT_EQ(ColorToStr(0x00ABCDEF), u"#00ABCDEF");
  EXPECT_EQ(ColorToStr(0), u"#00000000");
  for (const TvgColor color : {0xFFF9890Fu, 0x0000000Au, 0x80000000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(StrToColor(ColorToStr(color)), color);
  }
}

TEST(ColorsTest, StepsEachChannelAndWrapsOvershoot) {
  const struct {
    TvgColor Start, Stop;
    float Eased;
    TvgColor Expected;
  } cases[] = {
      {0x12345678, 0xFEDCBA98, 0, 0x12345678},
      {0x12345678, 0xFEDCBA98, 1, 0xFEDCBA98},
      // Truncated towards zero, in both directions: 127.5 and -127.5 move by 127.
      {0x00000000, 0xFFFFFFFF, 0.5f, 0x7F7F7F7F},
      {0xFFFFFFFF, 0x00000000, 0.5f, 0x80808080},
      // Past the stop (Back, Elastic): red 128 + 152 and green 255 - 306 and blue 0 + 306 wrap.
      {0xFF80FF00, 0xFFFF00FF, 1.2f, 0xFF18CD32},
      // Before the start: blue 16 - 23 wraps below 0.
      {0x00000010, 0x000000FF, -0.1f, 0x000000F9},
      {0x11223344, 0x55667788, std::numeric_limits<float>::quiet_NaN(), 0x11223344},
      {0x11223344, 0x55667788, std::numeric_limits<float>::infinity(), 0x11223344},
      {0x00000000, 0x000000FF, 1e30f, 0x00000000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Start << " to " << c.Stop << " at " << c.Eased);
    EXPECT_EQ(InterpolateColor(c.Start, c.Stop, c.Eased), c.Expected);
  }
}

}  // namespace
}  // namespace vd
