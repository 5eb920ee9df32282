#include "base/Strings.h"

#include <gtest/gtest.h>

#include "base/Errors.h"

namespace vd {
namespace {

TEST(StringsTest, Utf8RoundTripsEveryPlaneAndReplacesBrokenInput) {
  const std::u16string text = u"Config \u6253\u5F00\u914D\u7F6E \U0001F5B1 \u00E9";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u00E9"), "\xC3\xA9");
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");                                // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                        // overlong form
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");              // encoded surrogate
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(StringsTest, NumbersAndFormat) {
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToHex(0x804, 4), u"0804");
  EXPECT_EQ(IntToHex(0xB8, 3), u"0B8");
  EXPECT_EQ(IntToHex(0x12345, 2), u"12345");
  EXPECT_EQ(Format(u"Failed to set data for '%s'", {u"T362Profile.pfd"}), u"Failed to set data for 'T362Profile.pfd'");
  EXPECT_EQ(Format(u"%s and %d, 100%%, %s", {u"a", u"7"}), u"a and 7, 100%, %s");
}

TEST(StringsTest, FrameworkErrorTexts) {
  EXPECT_EQ(ERangeError().Message(), u"Range check error");
  EXPECT_EQ(EInOutError(3).Message(), u"I/O error 3");
  EXPECT_STREQ(EInOutError(5).what(), "I/O error 5");
}

TEST(StringsTest, SameTextAsciiFoldsOnlyAscii) {
  EXPECT_TRUE(SameTextAscii(u"TMenuItem", u"tmenuitem"));
  EXPECT_FALSE(SameTextAscii(u"\u00C9", u"\u00E9"));
  EXPECT_FALSE(SameTextAscii(u"ab", u"abc"));
}

}  // namespace
}  // namespace vd
