#include "lang/Dictionary.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::Fixture;
using testing_support::TStandInControl;
using testing_support::TStandInScene;

std::vector<std::uint8_t> Stream(std::vector<TDictionaryLanguage> languages) {
  return WriteDictionaryStream(TDictionaryContent{u"", std::move(languages)});
}

// Starts with the languages "CH" and "US" of Config, About and Exit.
class DictionaryTest : public ::testing::Test {
protected:
  void SetUp() override { FLang.ReadDictionaryStream(Fixture("two-languages.bin"), u"two-languages.bin"); }
  void TearDown() override { ReleaseTranslationState(); }

  platform::TMemoryPlatform FPlatform;
  TvgLang FLang{nullptr};
};

TEST_F(DictionaryTest, LookupMatchesTheWholeTextCaseSensitivelyAndFallsBackToTheText) {
  EXPECT_EQ(LookupTranslation(u"Config"), u"Config");  // nothing active yet
  FLang.ReadDictionaryStream(Stream({{u"XX", u"Config=打开配置\r\nEmpty=\r\na=b=c\r\n"}}), u"xx");
  FLang.SetLang(u"XX");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  EXPECT_EQ(LookupTranslation(u"CONFIG"), u"CONFIG");
  EXPECT_EQ(LookupTranslation(u" Config"), u" Config");
  EXPECT_EQ(LookupTranslation(u"Empty"), u"Empty");
  EXPECT_EQ(LookupTranslation(u"a=b"), u"a=b");  // a name ends at its first "="
  EXPECT_EQ(LookupTranslation(u""), u"");
}

TEST_F(DictionaryTest, ReadingReplacesTheSourceTextsAndAppendsLanguagesTheFirstOfANameWinning) {
  EXPECT_EQ(FLang.Original().Text(), u"About\r\nConfig\r\nExit\r\n");
  FLang.ReadDictionaryStream(Fixture("second-ch.bin"), u"second-ch.bin");
  EXPECT_EQ(FLang.Resources().Text(), u"CH\r\nUS\r\nCH\r\nUS\r\n");
  EXPECT_EQ(FLang.Original().Count(), 0);
  FLang.SetLang(u"ch");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  FLang.ReadDictionaryStream(Fixture("no-languages.bin"), u"none");
  EXPECT_EQ(FLang.Resources().Count(), 4);
}

TEST_F(DictionaryTest, FilesAreReadWholeOrNotAtAll) {
  FLang.LoadFromFile(u"C:\\dict\\absent.bin");
  FPlatform.Files.AddFile(u"C:\\dict\\bad.bin", Fixture("table-too-long.bin"));
  EXPECT_THROW(FLang.LoadFromFile(u"C:\\dict\\bad.bin"), EDictionaryError);
  FPlatform.Files.AddFile(u"C:\\dict\\more.bin", Fixture("second-ch.bin"));
  FPlatform.Faults.Fail("ReadFile", 5, 1);
  EXPECT_THROW(FLang.LoadFromFile(u"C:\\dict\\more.bin"), EFOpenError);
  EXPECT_EQ(FLang.Resources().Text(), u"CH\r\nUS\r\n");
  EXPECT_EQ(FLang.Original().Text(), u"About\r\nConfig\r\nExit\r\n");
  FLang.LoadFromFile(u"C:\\dict\\more.bin");
  EXPECT_EQ(FLang.Resources().Count(), 4);
}

TEST_F(DictionaryTest, LangEnRestoresSourceTextsOtherSpellingsAndUnknownNamesAreLanguageNames) {
  FLang.ReadDictionaryStream(Stream({{u"En", u"Config=Settings\r\n"}}), u"en");
  TStandInScene scene;
  scene.FControls.emplace_back(u"Config");
  FLang.SetLang(u"CH");
  EXPECT_EQ(scene.FControls[0].Text, u"打开配置");
  FLang.SetLang(u"EN");
  EXPECT_EQ(scene.FControls[0].Text, u"Settings");
  FLang.SetLang(u"FR");  // no such table: the active one stays
  EXPECT_EQ(LookupTranslation(u"Config"), u"Settings");
  FLang.SetLang(u"en");
  EXPECT_EQ(scene.FControls[0].Text, u"Config");
  EXPECT_EQ(ActiveLanguageTable(), nullptr);
}

TEST_F(DictionaryTest, SwitchingLanguagesPassesThroughTheSourceTexts) {
  TStandInScene scene;
  scene.FControls = {TStandInControl(u"Config", u"About", true), TStandInControl(u"打开配置", u"Exit"),
                     TStandInControl(u"Exit", u"", false, false)};
  FLang.SetLang(u"CH");
  EXPECT_EQ(scene.FControls[0].Hint, u"关于软件");
  EXPECT_EQ(scene.FControls[1].Hint, u"Exit");  // hint not shown
  EXPECT_EQ(scene.FControls[2].Text, u"Exit");  // automatic translation off
  scene.FControls[1].Text = u"Hello";
  FLang.SetLang(u"US");
  EXPECT_EQ(scene.FTextHistory, (std::vector<std::u16string>{u"打开配置", u"Config", u"Config"}));
  EXPECT_EQ(scene.FRestoringSeen, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(scene.FControls[0].Hint, u"About");
  EXPECT_EQ(scene.FControls[1].Text, u"Hello");  // no translation: kept while restoring
}

TEST_F(DictionaryTest, TheActiveTableIsACopyAndARefreshThatFailsStillEndsTheRestore) {
  FLang.SetLang(u"CH");
  const_cast<TvgWideStringList*>(FLang.LanguageTable(u"CH"))->SetText(u"Config=配置\r\n");
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  ActivateLanguageTable(ActiveLanguageTable());  // re-activating the active table itself is safe
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");

  TStandInScene scene;
  scene.FFailNext = true;
  EXPECT_THROW(FLang.SetLang(u"CH"), std::runtime_error);
  EXPECT_FALSE(RestoringSourceTexts());
  FLang.SetLang(u"CH");
  EXPECT_EQ(LookupTranslation(u"Config"), u"配置");
}

TEST_F(DictionaryTest, LoadingDefersSelectionUntilLoadedWhichFollowsTheUserLocale) {
  FLang.SetLoading(true);
  FLang.SetLang(u"US");
  EXPECT_EQ(ActiveLanguageTable(), nullptr);
  FPlatform.Locale.FUserAbbrevLangName = u"CHS";
  FLang.Loaded();
  EXPECT_EQ(FLang.Lang(), u"ch");
  EXPECT_EQ(LookupTranslation(u"About"), u"关于软件");
  FPlatform.Locale.FUserAbbrevLangName = u"";  // the query failed
  FLang.Loaded();
  EXPECT_EQ(FLang.Lang(), u"");
  EXPECT_EQ(LookupTranslation(u"About"), u"关于软件");
  FLang.SetAutoSelect(false);
  FLang.SetLoading(true);
  FLang.SetLang(u"US");
  FLang.Loaded();
  EXPECT_EQ(ActiveLanguageTable()->Values(u"About"), u"About");
}

}  // namespace
}  // namespace vd
