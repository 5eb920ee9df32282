#include "base/WideStrings.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

using Lines = std::vector<std::u16string>;

Lines Entries(const TvgWideStrings& list) {
  Lines out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

class WideStringsTest : public ::testing::Test {
protected:
  platform::TMemoryPlatform FPlatform;
};

TEST_F(WideStringsTest, TextSplitsAtEveryKindOfLineBreakAndEndsAtTheFirstNul) {
  EXPECT_EQ(SplitTextLines(u"a\r\nb\rc\nd\u000Be\u000Cf\u2028g\u2029h"),
            (Lines{u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h"}));
  EXPECT_EQ(SplitTextLines(u"a\r\n\r\nb\n\r"), (Lines{u"a", u"", u"b", u""}));
  EXPECT_EQ(SplitTextLines(std::u16string_view(u"a\nb\0c\nd", 7)), (Lines{u"a", u"b"}));
  EXPECT_EQ(SplitTextLines(u""), Lines{});
}

TEST_F(WideStringsTest, UnsortedListsKeepOrderAndDuplicatesSortedOnesNeither) {
  TvgWideStringList unsorted;
  unsorted.SetText(u"b\na\nb\n");
  EXPECT_EQ(unsorted.Text(), u"b\r\na\r\nb\r\n");
  EXPECT_EQ(unsorted.IndexOf(u"B"), 0);  // case-insensitive by default, first match

  TvgWideStringList sorted(true, true);
  sorted.SetText(u"pear\napple\nfig\napple\nApple");
  EXPECT_EQ(Entries(sorted), (Lines{u"Apple", u"apple", u"fig", u"pear"}));
  EXPECT_EQ(sorted.Add(u"banana"), 2);
  EXPECT_EQ(sorted.Add(u"fig"), 3);  // held already: nothing added
  EXPECT_EQ(sorted.Count(), 5);
  int index = -1;
  EXPECT_FALSE(sorted.Find(u"cherry", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(sorted.IndexOf(u"APPLE"), -1);

  TvgWideStringList names(true, false);
  names.SetText(u"US\nch\nus\nCH");
  EXPECT_EQ(Entries(names), (Lines{u"ch", u"US"}));
}

TEST_F(WideStringsTest, CaseSensitiveListsMatchOnlyIdenticalTextsWhereTheCollationIgnoresACharacter) {
  // Collations ignore some characters; this one a trailing "!".
  struct TLenientLocale : platform::TMemoryLocale {
    int CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) override {
      auto strip = [](std::u16string_view s) { return s.ends_with(u'!') ? s.substr(0, s.size() - 1) : s; };
      return TMemoryLocale::CompareText(strip(a), strip(b), ignoreCase);
    }
  } locale;
  platform::TPlatform lenient = platform::Platform();
  lenient.Locale = &locale;
  platform::TPlatformScope scope(lenient);

  TvgWideStringList exact(true, true);
  exact.SetText(u"Config!=A\nConfig=B\n");
  EXPECT_EQ(exact.Values(u"Config"), u"B");
  TvgWideStringList loose(false, false);
  loose.SetText(u"Config!=A\nConfig=B\n");
  EXPECT_EQ(loose.Values(u"Config"), u"A");
}

TEST_F(WideStringsTest, NameValueEntriesSplitAtTheFirstEqualsSign) {
  TvgWideStringList table(true, true);
  table.SetText(u"Config=打开配置\na=b=c\nplain\nEmpty=\n");
  EXPECT_EQ(table.Values(u"Config"), u"打开配置");
  EXPECT_EQ(table.Values(u"a"), u"b=c");
  EXPECT_EQ(table.Values(u"a=b"), u"");
  EXPECT_EQ(table.Values(u"CONFIG"), u"");
  EXPECT_EQ(table.Values(u" Config"), u"");
  EXPECT_EQ(table.Values(u"plain"), u"");
  EXPECT_GE(table.IndexOfName(u"Empty"), 0);
  EXPECT_EQ(table.NameOfValue(u"打开配置"), u"Config");
  EXPECT_EQ(table.NameOfValue(u"b=c"), u"a");
  EXPECT_EQ(table.NameOfValue(u"nothing"), u"");

  TvgWideStringList list;
  list.SetText(u"x=1\ny=2\n");
  list.SetValue(u"X", u"3");
  list.SetValue(u"z", u"4");
  list.SetValue(u"y", u"");
  EXPECT_EQ(Entries(list), (Lines{u"X=3", u"z=4"}));
}

TEST_F(WideStringsTest, ListsOwnTheObjectsOfTheirEntriesAndCheckIndexes) {
  struct TCounted : TOwnedObject {
    explicit TCounted(int& counter) : FCounter(counter) {}
    ~TCounted() override { ++FCounter; }
    int& FCounter;
  };
  int freed = 0;
  {
    TvgWideStringList list(true, false);
    list.AddObject(u"b", std::make_unique<TCounted>(freed));
    list.AddObject(u"a", std::make_unique<TCounted>(freed));
    EXPECT_EQ(list.AddObject(u"B", std::make_unique<TCounted>(freed)), 1);  // duplicate: freed
    EXPECT_EQ(freed, 1);
    list.Delete(0);
    EXPECT_EQ(freed, 2);
    try {
      list.Strings(1);
      FAIL() << "no error";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), u"List index out of bounds (1)");
    }
    EXPECT_THROW(list.Delete(-1), Exception);
  }
  EXPECT_EQ(freed, 3);
}

}  // namespace
}  // namespace vd
