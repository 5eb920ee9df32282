#include "tools/dictc/DictionarySource.h"

#include <gtest/gtest.h>

#include "base/Strings.h"

namespace vd {
namespace {

std::string ErrorOf(std::string_view text) {
  try {
    ParseDictionarySource(text, u"x.dict");
  } catch (const EDictionarySourceError& error) {
    return ToUtf8(error.Message());
  }
  return "accepted";
}

TEST(DictionarySourceTest, ReadsSectionsCommentsQuotesAndLineEndingsOfEitherKind) {
  const TDictionaryContent content = ParseDictionarySource(
      "\xEF\xBB\xBF; comment\r\n[Source]\r\nConfig\r\n\" CLOSE\"\r\n\"\"\r\n\"\"quoted\"\"\n\n"
      "[Language CH]\nConfig=打开配置\n\" CLOSE=关闭 \"\nEmpty=\n\"[x]=y\"\n[Language US]\n",
      u"x.dict");
  EXPECT_EQ(content.SourceText, u"Config\r\n CLOSE\r\n\r\n\"quoted\"\r\n");
  ASSERT_EQ(content.Languages.size(), 2u);
  EXPECT_EQ(content.Languages[0].Name, u"CH");
  EXPECT_EQ(content.Languages[0].TableText, u"Config=打开配置\r\n CLOSE=关闭 \r\nEmpty=\r\n[x]=y\r\n");
  EXPECT_EQ(content.Languages[1].Name, u"US");
  EXPECT_EQ(content.Languages[1].TableText, u"");
}

TEST(DictionarySourceTest, FormattingAndReadingBackGivesTheSameContent) {
  const TDictionaryContent content{u"About\r\n CLOSE\r\n;x\r\n\r\n",
                                   {{u"CH", u"About=关于软件\r\n CLOSE=关闭\r\n\"a\"=b \r\n"}, {u"TW", u""}}};
  const std::string text = FormatDictionarySource(content);
  const TDictionaryContent back = ParseDictionarySource(text, u"formatted");
  EXPECT_EQ(back.SourceText, content.SourceText);
  ASSERT_EQ(back.Languages.size(), 2u);
  EXPECT_EQ(back.Languages[0].Name, u"CH");
  EXPECT_EQ(back.Languages[0].TableText, content.Languages[0].TableText);
  EXPECT_EQ(back.Languages[1].Name, u"TW");
}

TEST(DictionarySourceTest, MistakesAreReportedWithFileAndLine) {
  EXPECT_EQ(ErrorOf("Config\n"), "x.dict:1: a text before the first section; begin with [Source] or [Language NAME]");
  EXPECT_EQ(ErrorOf("[Source]\n Config\n"),
            "x.dict:2: a text that begins or ends with a blank is written in double quotes");
  EXPECT_EQ(ErrorOf("[Source]\n\"Config\n"), "x.dict:2: a quoted text ends with a double quote");
  EXPECT_EQ(ErrorOf("[Source]\nA\nA\n"), "x.dict:3: the source text \"A\" is listed twice");
  EXPECT_EQ(ErrorOf("[Language CH]\nConfig\n"),
            "x.dict:2: an entry is \"source text=translation\"; this one has no \"=\"");
  EXPECT_EQ(ErrorOf("[Language CH]\n=x\n"), "x.dict:2: the entry has no source text before \"=\"");
  EXPECT_EQ(ErrorOf("[Language CH]\nA=1\nA=2\n"),
            "x.dict:3: the source text \"A\" is translated twice in this language");
  EXPECT_EQ(ErrorOf("[Language CH]\n[Language ch]\n"), "x.dict:2: the language \"ch\" is named twice");
  EXPECT_EQ(ErrorOf("[Language CH]\n[Source]\n"), "x.dict:2: the [Source] section comes before the languages");
  EXPECT_EQ(ErrorOf("[Source]\n[Source]\n"), "x.dict:2: a second [Source] section");
  EXPECT_EQ(ErrorOf("[Language]\n"), "x.dict:1: unknown section; use [Source] or [Language NAME]");
  EXPECT_EQ(ErrorOf("[Source\n"), "x.dict:1: a section header ends with \"]\"");
  EXPECT_EQ(ErrorOf("[Source]\na\xE2\x80\xA8"
                    "b\n"),
            "x.dict:2: the text holds a line break or NUL, which would split or cut it");
  EXPECT_EQ(ErrorOf("[Source]\n\xC3\n"), "x.dict:2: the line is not valid UTF-8");
}

}  // namespace
}  // namespace vd
