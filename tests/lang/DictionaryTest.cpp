#include "lang/Dictionary.h"

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::Fixture;
using testing_support::TStandInControl;
using testing_support::TStandInScene;

std::vector<std::uint8_t> Stream(std::u16string source, std::vector<TDictionaryLanguage> languages) {
  return WriteDictionaryStream(TDictionaryContent{std::move(source), std::move(languages)});
}

class DictionaryTest : public ::testing::Test {
protected:
  void SetUp() override { FLang.ReadDictionaryStream(Fixture("two-languages.bin"), u"two-languages.bin"); }
  void TearDown() override { ReleaseTranslationState(); }

  platform::TMemoryPlatform FPlatform;
  TvgLang FLang{nullptr};
};

TEST_F(DictionaryTest, LookupMatchesTheWholeTextCaseSensitivelyAndFallsBackToTheText) {
  EXPECT_EQ(LookupTranslation(u"Config"), u"Config");  // nothing active yet
  FLang.Resources().AddObject(u"XX", std::make_unique<TvgWideStringList>(true, true));
  auto* table = const_cast<TvgWideStringList*>(FLang.LanguageTable(u"XX"));
  table->SetText(u"Config=打开配置\r\nEmpty=\r\nOK=确定\r\n");
  FLang.SetLang(u"XX");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  EXPECT_EQ(LookupTranslation(u"CONFIG"), u"CONFIG");
  EXPECT_EQ(LookupTranslation(u" Config"), u" Config");
  EXPECT_EQ(LookupTranslation(u"Config "), u"Config ");
  EXPECT_EQ(LookupTranslation(u"Empty"), u"Empty");
  EXPECT_EQ(LookupTranslation(u""), u"");
  EXPECT_EQ(LookupTranslation(u"Unknown"), u"Unknown");
}

TEST_F(DictionaryTest, ATextContainingEqualsIsNeverFound) {
  FLang.Resources().AddObject(u"XX", std::make_unique<TvgWideStringList>(true, true));
  const_cast<TvgWideStringList*>(FLang.LanguageTable(u"XX"))->SetText(u"a=b=c\r\n");
  FLang.SetLang(u"XX");
  EXPECT_EQ(LookupTranslation(u"a=b"), u"a=b");
  EXPECT_EQ(LookupTranslation(u"a"), u"b=c");
}

TEST_F(DictionaryTest, ReadingReplacesTheSourceTextsAndAppendsLanguages) {
  EXPECT_EQ(FLang.Original().Text(), u"About\r\nConfig\r\nExit\r\n");
  ASSERT_EQ(FLang.Resources().Count(), 2);
  // A second "CH" is listed after the first, which stays in force for every name lookup.
  FLang.ReadDictionaryStream(Fixture("second-ch.bin"), u"second-ch.bin");
  EXPECT_EQ(FLang.Resources().Text(), u"CH\r\nUS\r\nCH\r\nUS\r\n");
  EXPECT_EQ(FLang.Original().Count(), 0);
  FLang.SetLang(u"ch");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  // No languages: the source texts are replaced, the languages stay.
  FLang.ReadDictionaryStream(Stream(u"Only\r\n", {}), u"zero");
  EXPECT_EQ(FLang.Resources().Count(), 4);
  EXPECT_EQ(FLang.Original().Text(), u"Only\r\n");
}

TEST_F(DictionaryTest, AMalformedStreamOrFileChangesNothing) {
  EXPECT_THROW(FLang.ReadDictionaryStream(Fixture("trailing-bytes.bin"), u"x"), EDictionaryError);
  FPlatform.Files.AddFile(u"C:\\dict\\bad.bin", Fixture("table-too-long.bin"));
  EXPECT_THROW(FLang.LoadFromFile(u"C:\\dict\\bad.bin"), EDictionaryError);
  EXPECT_EQ(FLang.Resources().Text(), u"CH\r\nUS\r\n");
  EXPECT_EQ(FLang.Original().Text(), u"About\r\nConfig\r\nExit\r\n");
}

TEST_F(DictionaryTest, LoadFromFileReadsAFileIgnoresAMissingOneAndReportsOneThatCannotBeRead) {
  FLang.LoadFromFile(u"C:\\dict\\absent.bin");
  EXPECT_EQ(FLang.Resources().Count(), 2);
  FPlatform.Files.AddFile(u"C:\\dict\\more.bin", Fixture("second-ch.bin"));
  FLang.LoadFromFile(u"C:\\dict\\more.bin");
  EXPECT_EQ(FLang.Resources().Count(), 4);
  FPlatform.Faults.Fail("ReadFile", 5);
  try {
    FLang.LoadFromFile(u"C:\\dict\\more.bin");
    FAIL() << "no error";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(),
              u"Cannot open file \"C:\\dict\\more.bin\". " + FPlatform.Files.SystemErrorMessage(5));
  }
  EXPECT_EQ(FLang.Resources().Count(), 4);
}

TEST_F(DictionaryTest, LangEnRestoresSourceTextsAndOtherSpellingsAreLanguageNames) {
  FLang.ReadDictionaryStream(Stream(u"", {{u"En", u"Config=Settings\r\n"}}), u"en");
  TStandInScene scene;
  scene.FControls.emplace_back(u"Config");
  FLang.SetLang(u"CH");
  EXPECT_EQ(scene.FControls[0].Text, u"打开配置");
  FLang.SetLang(u"EN");
  EXPECT_EQ(scene.FControls[0].Text, u"Settings");
  FLang.SetLang(u"en");
  EXPECT_EQ(scene.FControls[0].Text, u"Config");
  EXPECT_EQ(ActiveLanguageTable(), nullptr);
  EXPECT_EQ(FLang.Lang(), u"en");
}

TEST_F(DictionaryTest, ALanguageWithoutTableLeavesTheActiveTableAlone) {
  FLang.SetLang(u"CH");
  const TvgWideStringList* active = ActiveLanguageTable();
  FLang.SetLang(u"FR");
  EXPECT_EQ(ActiveLanguageTable(), active);
  EXPECT_EQ(FLang.Lang(), u"FR");
  EXPECT_EQ(LookupTranslation(u"Exit"), u"退出软件");
}

TEST_F(DictionaryTest, SwitchingLanguagesPassesThroughTheSourceTexts) {
  TStandInScene scene;
  scene.FControls = {TStandInControl(u"Config", u"About", true), TStandInControl(u"Hello"),
                     TStandInControl(u"Exit", u"", false, false)};
  FLang.SetLang(u"CH");
  EXPECT_EQ(scene.FControls[0].Text, u"打开配置");
  EXPECT_EQ(scene.FControls[0].Hint, u"关于软件");
  EXPECT_EQ(scene.FControls[1].Text, u"Hello");
  EXPECT_EQ(scene.FControls[2].Text, u"Exit");  // automatic translation off
  FLang.SetLang(u"US");
  EXPECT_EQ(scene.FTextHistory, (std::vector<std::u16string>{u"打开配置", u"Config", u"Config"}));
  EXPECT_EQ(scene.FRestoringSeen, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(scene.FControls[0].Hint, u"About");
}

TEST_F(DictionaryTest, TheActiveTableIsACopy) {
  FLang.SetLang(u"CH");
  const_cast<TvgWideStringList*>(FLang.LanguageTable(u"CH"))->SetText(u"Config=配置\r\n");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  ActivateLanguageTable(ActiveLanguageTable());  // re-activating the active table itself is safe
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  ActivateLanguageTable(nullptr);
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  FLang.SetLang(u"CH");
  EXPECT_EQ(LookupTranslation(u"Config"), u"配置");
}

TEST_F(DictionaryTest, LoadingDefersSelectionUntilLoadedWhichFollowsTheUserLocale) {
  FLang.SetLoading(true);
  FLang.SetLang(u"US");
  EXPECT_EQ(ActiveLanguageTable(), nullptr);
  FPlatform.Locale.FUserAbbrevLangName = u"CHS";
  FLang.Loaded();
  EXPECT_FALSE(FLang.IsLoading());
  EXPECT_EQ(FLang.Lang(), u"ch");
  EXPECT_EQ(LookupTranslation(u"About"), u"关于软件");

  // "en" from the locale is a language name here, and there is no such language.
  FPlatform.Locale.FUserAbbrevLangName = u"ENU";
  FLang.Loaded();
  EXPECT_EQ(FLang.Lang(), u"en");
  EXPECT_EQ(LookupTranslation(u"About"), u"关于软件");

  // Without automatic selection the stored value is selected.
  FLang.SetAutoSelect(false);
  FLang.SetLoading(true);
  FLang.SetLang(u"US");
  FLang.Loaded();
  EXPECT_EQ(LookupTranslation(u"About"), u"About");
  EXPECT_EQ(ActiveLanguageTable()->Values(u"About"), u"About");
}

TEST_F(DictionaryTest, AFailedQueryOfTheUserLocaleSelectsNothing) {
  FPlatform.Locale.FUserAbbrevLangName = u"";
  FLang.Loaded();
  EXPECT_EQ(FLang.Lang(), u"");
  EXPECT_EQ(ActiveLanguageTable(), nullptr);
}

}  // namespace
}  // namespace vd
