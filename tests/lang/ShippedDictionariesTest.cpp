// The dictionaries the build compiles from forms/: the monitor window's built-in one and
// the ks.local shipped beside the program.

#include <gtest/gtest.h>

#include <map>

#include "base/Strings.h"
#include "lang/Dictionary.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::ReadFile;

// Every text the monitor shows: the application title, the tray hint (with its muted
// microphone ending) and menu, and the About window's labels and button.
const std::vector<std::u16string> kMonitorTexts = {u"Vardel Gaming Mouse Monitor",
                                                   u"Vardel Gaming Mouse Driver",
                                                   u"(microphone muted)",
                                                   u"Config",
                                                   u"About",
                                                   u"Exit",
                                                   u"Hardware & Software Information:",
                                                   u"Hardware Core:1.00.00",
                                                   u"Software Core:1.00.00",
                                                   u"Software Update Website:",
                                                   u"OK"};

class ShippedDictionariesTest : public ::testing::Test {
protected:
  void TearDown() override { ReleaseTranslationState(); }

  std::map<std::u16string, std::u16string> Translations(const std::u16string& language) {
    FLang.SetLang(language);
    std::map<std::u16string, std::u16string> out;
    for (const std::u16string& text : kMonitorTexts) out[text] = LookupTranslation(text);
    return out;
  }

  platform::TMemoryPlatform FPlatform;
  TvgLang FLang{nullptr};
};

TEST_F(ShippedDictionariesTest, BuiltInDictionaryHoldsChineseThenEnglishForEveryMonitorText) {
  FLang.ReadDictionaryStream(ReadFile(VD_MONITOR_DICTIONARY), u"Monitor.dict.bin");
  EXPECT_EQ(FLang.Resources().Text(), u"CH\r\nUS\r\n");
  for (const std::u16string& text : kMonitorTexts) EXPECT_GE(FLang.Original().IndexOf(text), 0) << ToUtf8(text);
  const auto chinese = Translations(u"CH");
  EXPECT_EQ(chinese.at(u"Config"), u"打开配置");
  EXPECT_EQ(chinese.at(u"About"), u"关于软件");
  EXPECT_EQ(chinese.at(u"Exit"), u"退出软件");
  for (const auto& [text, translation] : chinese) EXPECT_NE(translation, text) << ToUtf8(text);
  for (const auto& [text, translation] : Translations(u"US")) EXPECT_EQ(translation, text);
}

TEST_F(ShippedDictionariesTest, LanguageFileHoldsEnglishSimplifiedAndTraditionalChineseInThatOrder) {
  FLang.ReadDictionaryStream(ReadFile(VD_LANGUAGE_FILE), u"ks.local");
  EXPECT_EQ(FLang.Resources().Text(), u"US\r\nCH\r\nTW\r\n");
  for (const auto& [text, translation] : Translations(u"US")) EXPECT_EQ(translation, text);
  const auto simplified = Translations(u"CH");
  const auto traditional = Translations(u"TW");
  EXPECT_EQ(simplified.at(u"Exit"), u"退出软件");
  EXPECT_EQ(traditional.at(u"Config"), u"開啟設定");
  for (const std::u16string& text : kMonitorTexts) {
    EXPECT_NE(traditional.at(text), text) << ToUtf8(text);
    EXPECT_NE(traditional.at(text), simplified.at(text)) << ToUtf8(text);
  }
}

}  // namespace
}  // namespace vd
