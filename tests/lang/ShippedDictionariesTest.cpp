// The dictionaries the build compiles from forms/: the monitor window's built-in one and
// the ks.local shipped beside the program.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "core/Strings.h"
#include "lang/Dictionary.h"
#include "lang/Translation.h"
#include "lang/ksLanguage.h"
#include "platform/memory/MemoryPlatform.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

std::vector<std::uint8_t> ReadBuilt(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) ADD_FAILURE() << "missing " << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every text the monitor shows: the application title, the tray hint and menu, and the
// About window's labels and button.
const std::vector<std::u16string> kMonitorTexts = {
    u"Vardel Gaming Mouse Monitor",
    u"Vardel Gaming Mouse Driver",
    u"Config",
    u"About",
    u"Exit",
    u"Hardware & Software Information:",
    u"Hardware Core:1.00.00",
    u"Software Core:1.00.00",
    u"Software Update Website:",
    u"OK",
};

class ShippedDictionariesTest : public ::testing::Test {
protected:
  void TearDown() override { ReleaseTranslationState(); }

  std::map<std::u16string, std::u16string> Translations(TvgLang& lang, const std::u16string& language) {
    lang.SetLang(language);
    std::map<std::u16string, std::u16string> out;
    for (const std::u16string& text : kMonitorTexts) out[text] = LookupTranslation(text);
    return out;
  }

  platform::TMemoryPlatform FPlatform;
};

TEST_F(ShippedDictionariesTest, BuiltInDictionaryHoldsChineseThenEnglishForEveryMonitorText) {
  TvgLang lang(nullptr);
  lang.ReadDictionaryStream(ReadBuilt(VD_MONITOR_DICTIONARY), u"Monitor.dict.bin");
  EXPECT_EQ(lang.Resources().Text(), u"CH\r\nUS\r\n");
  for (const std::u16string& text : kMonitorTexts) EXPECT_GE(lang.Original().IndexOf(text), 0) << ToUtf8(text);

  const auto chinese = Translations(lang, u"CH");
  EXPECT_EQ(chinese.at(u"Config"), u"打开配置");
  EXPECT_EQ(chinese.at(u"About"), u"关于软件");
  EXPECT_EQ(chinese.at(u"Exit"), u"退出软件");
  for (const auto& [text, translation] : chinese) EXPECT_NE(translation, text) << ToUtf8(text);

  for (const auto& [text, translation] : Translations(lang, u"US")) EXPECT_EQ(translation, text);
}

TEST_F(ShippedDictionariesTest, LanguageFileHoldsEnglishSimplifiedAndTraditionalChineseInThatOrder) {
  TvgLang lang(nullptr);
  lang.ReadDictionaryStream(ReadBuilt(VD_LANGUAGE_FILE), u"ks.local");
  EXPECT_EQ(lang.Resources().Text(), u"US\r\nCH\r\nTW\r\n");
  for (const auto& [text, translation] : Translations(lang, u"US")) EXPECT_EQ(translation, text);
  const auto simplified = Translations(lang, u"CH");
  const auto traditional = Translations(lang, u"TW");
  EXPECT_EQ(simplified.at(u"Config"), u"打开配置");
  EXPECT_EQ(traditional.at(u"Config"), u"開啟設定");
  for (const std::u16string& text : kMonitorTexts) {
    EXPECT_NE(traditional.at(text), text) << ToUtf8(text);
    EXPECT_NE(traditional.at(text), simplified.at(text)) << ToUtf8(text);
  }
}

TEST_F(ShippedDictionariesTest, ShippedLanguageFileComesFirstAndShadowsTheBuiltInChinese) {
  FPlatform.Files.AddFile(FPlatform.Files.ProgramFolder() + u"ks.local", ReadBuilt(VD_LANGUAGE_FILE));
  TksLanguage language(nullptr);
  language.ReadDictionaryStream(ReadBuilt(VD_MONITOR_DICTIONARY), u"ksLanguage1.ResourcesBin");
  EXPECT_EQ(language.Resources().Text(), u"US\r\nCH\r\nTW\r\nCH\r\nUS\r\n");
  EXPECT_EQ(language.GetLanguageShortIDByIndex(2), u"TW");
  EXPECT_EQ(language.GetLanguageIndexByShortID(u"ch"), 1);
  language.SetLang(language.GetLanguageShortIDByIndex(2));
  EXPECT_EQ(LookupTranslation(u"Exit"), u"結束程式");
}

}  // namespace
}  // namespace vd
