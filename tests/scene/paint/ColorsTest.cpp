#include "scene/paint/Colors.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <sstream>
#include <string_view>

#include "base/Strings.h"

namespace vd {
namespace {

// The SVG 1.1 colour keywords (the same as CSS Colour Level 3's) and their RGB values.
constexpr std::string_view kSvgKeywords = R"(
aliceblue F0F8FF antiquewhite FAEBD7 aqua 00FFFF aquamarine 7FFFD4 azure F0FFFF beige F5F5DC bisque FFE4C4
black 000000 blanchedalmond FFEBCD blue 0000FF blueviolet 8A2BE2 brown A52A2A burlywood DEB887
cadetblue 5F9EA0 chartreuse 7FFF00 chocolate D2691E coral FF7F50 cornflowerblue 6495ED cornsilk FFF8DC
crimson DC143C cyan 00FFFF darkblue 00008B darkcyan 008B8B darkgoldenrod B8860B darkgray A9A9A9
darkgreen 006400 darkgrey A9A9A9 darkkhaki BDB76B darkmagenta 8B008B darkolivegreen 556B2F darkorange FF8C00
darkorchid 9932CC darkred 8B0000 darksalmon E9967A darkseagreen 8FBC8F darkslateblue 483D8B
darkslategray 2F4F4F darkslategrey 2F4F4F darkturquoise 00CED1 darkviolet 9400D3 deeppink FF1493
deepskyblue 00BFFF dimgray 696969 dimgrey 696969 dodgerblue 1E90FF firebrick B22222 floralwhite FFFAF0
forestgreen 228B22 fuchsia FF00FF gainsboro DCDCDC ghostwhite F8F8FF gold FFD700 goldenrod DAA520 gray 808080
grey 808080 green 008000 greenyellow ADFF2F honeydew F0FFF0 hotpink FF69B4 indianred CD5C5C indigo 4B0082
ivory FFFFF0 khaki F0E68C lavender E6E6FA lavenderblush FFF0F5 lawngreen 7CFC00 lemonchiffon FFFACD
lightblue ADD8E6 lightcoral F08080 lightcyan E0FFFF lightgoldenrodyellow FAFAD2 lightgray D3D3D3
lightgreen 90EE90 lightgrey D3D3D3 lightpink FFB6C1 lightsalmon FFA07A lightseagreen 20B2AA
lightskyblue 87CEFA lightslategray 778899 lightslategrey 778899 lightsteelblue B0C4DE lightyellow FFFFE0
lime 00FF00 limegreen 32CD32 linen FAF0E6 magenta FF00FF maroon 800000 mediumaquamarine 66CDAA
mediumblue 0000CD mediumorchid BA55D3 mediumpurple 9370DB mediumseagreen 3CB371 mediumslateblue 7B68EE
mediumspringgreen 00FA9A mediumturquoise 48D1CC mediumvioletred C71585 midnightblue 191970 mintcream F5FFFA
mistyrose FFE4E1 moccasin FFE4B5 navajowhite FFDEAD navy 000080 oldlace FDF5E6 olive 808000 olivedrab 6B8E23
orange FFA500 orangered FF4500 orchid DA70D6 palegoldenrod EEE8AA palegreen 98FB98 paleturquoise AFEEEE
palevioletred DB7093 papayawhip FFEFD5 peachpuff FFDAB9 peru CD853F pink FFC0CB plum DDA0DD powderblue B0E0E6
purple 800080 red FF0000 rosybrown BC8F8F royalblue 4169E1 saddlebrown 8B4513 salmon FA8072 sandybrown F4A460
seagreen 2E8B57 seashell FFF5EE sienna A0522D silver C0C0C0 skyblue 87CEEB slateblue 6A5ACD slategray 708090
slategrey 708090 snow FFFAFA springgreen 00FF7F steelblue 4682B4 tan D2B48C teal 008080 thistle D8BFD8
tomato FF6347 turquoise 40E0D0 violet EE82EE wheat F5DEB3 white FFFFFF whitesmoke F5F5F5 yellow FFFF00
yellowgreen 9ACD32
)";

TEST(ColorsTest, EverySvgKeywordReadsInAnyCaseWithFullAlpha) {
  std::istringstream list{std::string(kSvgKeywords)};
  std::set<std::string> names;
  std::string name;
  std::uint32_t rgb = 0;
  while (list >> name >> std::hex >> rgb) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(names.insert(name).second);
    std::u16string text = FromUtf8(name);
    EXPECT_EQ(StrToColor(text), 0xFF000000 | rgb);
    for (char16_t& c : text) c = static_cast<char16_t>(c - u'a' + u'A');
    EXPECT_EQ(StrToColor(text), 0xFF000000 | rgb);
  }
  EXPECT_TRUE(list.eof());
  EXPECT_EQ(names.size(), 147u);
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
