#include "lang/DictionaryStream.h"

#include <gtest/gtest.h>

#include "base/Strings.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::Fixture;

struct TMalformed {
  const char* Fixture;
  const char16_t* Reason;
};

class MalformedDictionaryTest : public ::testing::TestWithParam<TMalformed> {};

TEST_P(MalformedDictionaryTest, IsRejectedWithAnErrorNamingTheFile) {
  SCOPED_TRACE(GetParam().Fixture);
  const std::vector<std::uint8_t> data = Fixture(GetParam().Fixture);
  try {
    ParseDictionaryStream(data, u"C:\\Vardel\\ks.local");
    FAIL() << "accepted";
  } catch (const EDictionaryError& error) {
    EXPECT_EQ(ToUtf8(error.Message()),
              ToUtf8(Format(u"Dictionary \"C:\\Vardel\\ks.local\" is damaged: %s.", {GetParam().Reason})));
    EXPECT_EQ(error.FileName(), u"C:\\Vardel\\ks.local");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, MalformedDictionaryTest,
    ::testing::Values(
        TMalformed{"empty.bin", u"it ends at byte 0, inside the length of the source text"},
        TMalformed{"ends-inside-count.bin", u"it ends at byte 48, inside the length of the language count"},
        TMalformed{"table-too-long.bin",
                   u"the table of language 1 claims 100 characters at byte 58, but only 14 bytes follow"},
        TMalformed{"negative-name-length.bin", u"the name of language 1 has the negative length -1 (byte 50)"},
        TMalformed{"negative-count.bin", u"the language count -5 is negative (byte 46)"},
        TMalformed{"huge-count.bin", u"the language count 2147483647 does not fit the 8 bytes that follow"},
        TMalformed{"huge-source-length.bin",
                   u"the source text claims 1073741824 characters at byte 0, but only 10 bytes follow"},
        TMalformed{"trailing-bytes.bin", u"3 bytes follow the last language"}));

TEST(DictionaryStreamTest, ReadsSourceTextAndLanguagesInStoredOrderAndWritesTheSameBytes) {
  const std::vector<std::uint8_t> data = Fixture("two-languages.bin");
  const TDictionaryContent content = ParseDictionaryStream(data, u"two-languages.bin");
  EXPECT_EQ(content.SourceText, u"About\r\nConfig\r\nExit\r\n");
  ASSERT_EQ(content.Languages.size(), 2u);
  EXPECT_EQ(content.Languages[0].Name, u"CH");
  EXPECT_EQ(content.Languages[0].TableText, u"Config=打开配置\r\nAbout=关于软件\r\nExit=退出软件\r\n");
  EXPECT_EQ(content.Languages[1].Name, u"US");
  EXPECT_EQ(WriteDictionaryStream(content), data);
  EXPECT_TRUE(ParseDictionaryStream(Fixture("no-languages.bin"), u"none").Languages.empty());
}

TEST(DictionaryStreamTest, EveryTruncationOfAValidStreamIsRejected) {
  const std::vector<std::uint8_t> data = Fixture("two-languages.bin");
  for (std::size_t size = 0; size < data.size(); ++size)
    EXPECT_THROW(ParseDictionaryStream(std::span(data).first(size), u"cut"), EDictionaryError) << size;
}

}  // namespace
}  // namespace vd
