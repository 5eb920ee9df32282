#include "core/WideStrings.h"

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

using Lines = std::vector<std::u16string>;

Lines Entries(const TvgWideStrings& list) {
  Lines out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

// Counts its own destructions, to show that a list frees what its entries own.
struct TCounted : TOwnedObject {
  explicit TCounted(int& counter) : FCounter(counter) {}
  ~TCounted() override { ++FCounter; }
  int& FCounter;
};

class WideStringsTest : public ::testing::Test {
protected:
  platform::TMemoryPlatform FPlatform;
};

TEST_F(WideStringsTest, TextSplitsAtEveryKindOfLineBreakAndEndsAtTheFirstNul) {
  EXPECT_EQ(SplitTextLines(u"a\r\nb\rc\nd\u000Be\u000Cf\u2028g\u2029h"),
            (Lines{u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h"}));
  EXPECT_EQ(SplitTextLines(u"a\r\n\r\nb\n\r"), (Lines{u"a", u"", u"b", u""}));
  EXPECT_EQ(SplitTextLines(u"a\r\n"), (Lines{u"a"}));
  EXPECT_EQ(SplitTextLines(u""), Lines{});
  EXPECT_EQ(SplitTextLines(std::u16string_view(u"a\nb\0c\nd", 7)), (Lines{u"a", u"b"}));
}

TEST_F(WideStringsTest, UnsortedListKeepsOrderAndDuplicatesAndWritesEveryEntryWithCrLf) {
  TvgWideStringList list;
  list.SetText(u"b\na\nb\n");
  EXPECT_EQ(Entries(list), (Lines{u"b", u"a", u"b"}));
  EXPECT_EQ(list.Text(), u"b\r\na\r\nb\r\n");
  EXPECT_EQ(list.IndexOf(u"B"), 0);  // case-insensitive by default, first match
  list.SetText(u"x");
  EXPECT_EQ(Entries(list), (Lines{u"x"}));
}

TEST_F(WideStringsTest, SortedListInsertsInOrderDropsDuplicatesAndFindsByBinarySearch) {
  TvgWideStringList list(true, true);
  list.SetText(u"pear\napple\nfig\napple\nApple\n");
  EXPECT_EQ(Entries(list), (Lines{u"Apple", u"apple", u"fig", u"pear"}));
  EXPECT_EQ(list.Add(u"banana"), 2);
  EXPECT_EQ(list.Add(u"fig"), 3);  // already there: nothing added
  EXPECT_EQ(list.Count(), 5);
  int index = -1;
  EXPECT_TRUE(list.Find(u"pear", index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(list.Find(u"cherry", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.IndexOf(u"APPLE"), -1);
}

TEST_F(WideStringsTest, SortedCaseInsensitiveListKeepsTheFirstOfTextsEqualButForCase) {
  TvgWideStringList list(true, false);
  list.SetText(u"US\nch\nus\nCH");
  EXPECT_EQ(Entries(list), (Lines{u"ch", u"US"}));
  EXPECT_EQ(list.IndexOf(u"us"), 1);
}

TEST_F(WideStringsTest, CaseSensitiveListMatchesOnlyIdenticalTextsEvenWhereTheCollationDoesNot) {
  // A collation that ignores a trailing zero-width space, as real collations ignore some
  // characters.
  struct TLenientLocale : platform::TMemoryLocale {
    int CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) override {
      auto strip = [](std::u16string_view s) { return s.ends_with(u'\u200B') ? s.substr(0, s.size() - 1) : s; };
      return TMemoryLocale::CompareText(strip(a), strip(b), ignoreCase);
    }
  } locale;
  platform::TPlatform lenient = platform::Platform();
  lenient.Locale = &locale;
  platform::TPlatformScope scope(lenient);

  TvgWideStringList exact(true, true);
  exact.SetText(u"Config\u200B=A\nConfig=B\n");
  EXPECT_EQ(exact.Count(), 2);
  EXPECT_EQ(exact.Values(u"Config"), u"B");
  TvgWideStringList loose(false, false);
  loose.SetText(u"Config\u200B=A\nConfig=B\n");
  EXPECT_EQ(loose.Values(u"Config"), u"A");
}

TEST_F(WideStringsTest, NameValueEntriesSplitAtTheFirstEqualsSign) {
  TvgWideStringList table(true, true);
  table.SetText(u"Config=打开配置\na=b=c\nplain\nEmpty=\n=nameless\n");
  EXPECT_EQ(table.Values(u"Config"), u"打开配置");
  EXPECT_EQ(table.Values(u"a"), u"b=c");
  EXPECT_EQ(table.Values(u"a=b"), u"");
  EXPECT_EQ(table.Values(u"CONFIG"), u"");
  EXPECT_EQ(table.Values(u" Config"), u"");
  EXPECT_EQ(table.Values(u"plain"), u"");
  EXPECT_GE(table.IndexOfName(u"Empty"), 0);
  EXPECT_EQ(table.Values(u"Empty"), u"");
  EXPECT_EQ(table.NameOfValue(u"打开配置"), u"Config");
  EXPECT_EQ(table.NameOfValue(u"b=c"), u"a");
  EXPECT_EQ(table.NameOfValue(u"nothing"), u"");
  EXPECT_EQ(table.Names(table.IndexOf(u"plain")), u"");
}

TEST_F(WideStringsTest, SetValueReplacesAddsAndRemovesEntries) {
  TvgWideStringList list;
  list.SetText(u"x=1\ny=2\n");
  list.SetValue(u"X", u"3");  // case-insensitive list: replaces x=1
  list.SetValue(u"z", u"4");
  list.SetValue(u"y", u"");
  list.SetValue(u"absent", u"");
  EXPECT_EQ(Entries(list), (Lines{u"X=3", u"z=4"}));
}

TEST_F(WideStringsTest, ListOwnsTheObjectsOfItsEntries) {
  int freed = 0;
  {
    TvgWideStringList list(true, false);
    list.AddObject(u"b", std::make_unique<TCounted>(freed));
    list.AddObject(u"a", std::make_unique<TCounted>(freed));
    EXPECT_EQ(list.AddObject(u"B", std::make_unique<TCounted>(freed)), 1);  // duplicate: object freed
    EXPECT_EQ(freed, 1);
    EXPECT_NE(list.Objects(1), nullptr);
    list.Delete(0);
    EXPECT_EQ(freed, 2);
    TvgWideStringList copy;
    copy.AddStrings(list);
    EXPECT_EQ(copy.Objects(0), nullptr);
  }
  EXPECT_EQ(freed, 3);
}

TEST_F(WideStringsTest, IndexOutsideTheListRaises) {
  TvgWideStringList list;
  list.Add(u"a");
  try {
    list.Strings(1);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), u"List index out of bounds (1)");
  }
  EXPECT_THROW(list.Delete(-1), Exception);
  EXPECT_THROW(list.Objects(3), Exception);
}

}  // namespace
}  // namespace vd
