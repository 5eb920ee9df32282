#include "lang/ksLanguage.h"

#include <gtest/gtest.h>

#include "core/Strings.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::Fixture;

class ksLanguageTest : public ::testing::Test {
protected:
  void TearDown() override { ReleaseTranslationState(); }

  std::u16string LanguageFile() { return FPlatform.Files.ProgramFolder() + u"ks.local"; }
  // A language component as the monitor window's stored form makes it: created, then its
  // stored dictionary read, then loaded.
  std::unique_ptr<TksLanguage> Stored(TComponent* owner) {
    auto language = std::make_unique<TksLanguage>(owner);
    language->SetLoading(true);
    language->ReadDictionaryStream(Fixture("two-languages.bin"), u"ksLanguage1.ResourcesBin");
    language->Loaded();
    return language;
  }

  platform::TMemoryPlatform FPlatform;
};

TEST_F(ksLanguageTest, OsDefaultLanguageIsFourUpperCaseHexDigits) {
  TksLanguage language(nullptr);
  EXPECT_EQ(language.GetOSDefaultLang(), u"0409");
  FPlatform.Locale.FSystemDefaultLangID = 0x0804;
  EXPECT_EQ(language.GetOSDefaultLang(), u"0804");
  FPlatform.Locale.FSystemDefaultLangID = 0x7C04;
  EXPECT_EQ(language.GetOSDefaultLang(), u"7C04");
}

TEST_F(ksLanguageTest, LanguagesAreFoundByPositionAndByNameWithoutRegardToCase) {
  auto language = Stored(nullptr);
  EXPECT_EQ(language->GetLanguageIndexByShortID(u"us"), 1);
  EXPECT_EQ(language->GetLanguageIndexByShortID(u"CH"), 0);
  EXPECT_EQ(language->GetLanguageIndexByShortID(u"TW"), -1);
  EXPECT_EQ(language->GetLanguageIndexByShortID(u""), -1);
  EXPECT_EQ(language->GetLanguageShortIDByIndex(0), u"CH");
  EXPECT_EQ(language->GetLanguageShortIDByIndex(2), u"");
  EXPECT_EQ(language->GetLanguageShortIDByIndex(-1), u"");
}

TEST_F(ksLanguageTest, StartUpActivatesTheUserLocaleButLeavesLangEmpty) {
  FPlatform.Locale.FUserAbbrevLangName = u"CHS";
  auto language = Stored(nullptr);
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  EXPECT_EQ(language->Lang(), u"");
  EXPECT_EQ(language->GetLanguageIndexByShortID(language->Lang()), -1);
}

TEST_F(ksLanguageTest, SettingLangKeepsTheNameEvenWithoutATable) {
  auto language = Stored(nullptr);
  language->SetLang(u"US");
  EXPECT_EQ(language->Lang(), u"US");
  EXPECT_EQ(LookupTranslation(u"Exit"), u"Exit");
  ASSERT_NE(ActiveLanguageTable(), nullptr);
  // Position 2 of two languages: no name, no table; the active table stays.
  language->SetLang(language->GetLanguageShortIDByIndex(2));
  EXPECT_EQ(language->Lang(), u"");
  EXPECT_EQ(ActiveLanguageTable()->Values(u"Exit"), u"Exit");
  language->SetLang(u"ch");
  EXPECT_EQ(LookupTranslation(u"Exit"), u"退出软件");
}

TEST_F(ksLanguageTest, CarriesTheTranslatedPropertiesAndTheSkippedClasses) {
  TksLanguage language(nullptr);
  EXPECT_EQ(language.TranslatePropertyList().Text(), u"Caption\r\nHint\r\n");
  EXPECT_EQ(language.SpecialClassName().Text(),
            u"TMenuItem\r\nTTabControl\r\nTTabSheet\r\nTListView\r\nTTreeView\r\nTStatusBar\r\nTComboBoxEx\r\n"
            u"TksMenuEx\r\n");
  EXPECT_EQ(language.SpecialClassName().IndexOf(u"tmenuitem"), 0);
}

TEST_F(ksLanguageTest, LanguageFileLanguagesComeFirstAndShadowTheStoredOnes) {
  FPlatform.Files.AddFile(LanguageFile(), Fixture("second-ch.bin"));
  auto language = Stored(nullptr);
  EXPECT_EQ(language->LocalFileError(), nullptr);
  EXPECT_EQ(language->Resources().Text(), u"CH\r\nUS\r\nCH\r\nUS\r\n");
  EXPECT_EQ(language->Original().Text(), u"About\r\nConfig\r\nExit\r\n");  // the stored form's
  language->SetLang(language->GetLanguageShortIDByIndex(1));
  EXPECT_EQ(LookupTranslation(u"Config"), u"Settings");
  language->SetLang(language->GetLanguageShortIDByIndex(2));
  EXPECT_EQ(LookupTranslation(u"Config"), u"配置");  // the second "CH" is never reached
}

TEST_F(ksLanguageTest, AMalformedLanguageFileIsLeftOutAsAWholeAndReported) {
  FPlatform.Files.AddFile(LanguageFile(), Fixture("table-too-long.bin"));
  auto language = Stored(nullptr);
  ASSERT_NE(language->LocalFileError(), nullptr);
  const std::u16string message = language->LocalFileError()->Message();
  EXPECT_EQ(message, u"Dictionary \"" + LanguageFile() +
                         u"\" is damaged: the table of language 1 claims 100 characters at byte 58, but only 14 "
                         u"bytes follow.");
  EXPECT_EQ(FPlatform.UI.FDebugOutput, std::vector<std::u16string>{message});
  EXPECT_TRUE(FPlatform.UI.FMessageBoxes.empty());
  // The built-in dictionary is in force, alone.
  EXPECT_EQ(language->Resources().Text(), u"CH\r\nUS\r\n");
  language->SetLang(language->GetLanguageShortIDByIndex(0));
  EXPECT_EQ(LookupTranslation(u"About"), u"关于软件");
}

TEST_F(ksLanguageTest, AnUnreadableLanguageFileIsLeftOutAndReported) {
  FPlatform.Files.AddFile(LanguageFile(), Fixture("second-ch.bin"));
  FPlatform.Faults.Fail("ReadFile", 32);
  auto language = Stored(nullptr);
  ASSERT_NE(language->LocalFileError(), nullptr);
  EXPECT_EQ(language->LocalFileError()->Message(),
            u"Cannot open file \"" + LanguageFile() + u"\". " + FPlatform.Files.SystemErrorMessage(32));
  EXPECT_EQ(language->Resources().Count(), 2);
}

TEST_F(ksLanguageTest, FormsAreListedOncePerLanguageComponentWhileItLives) {
  TComponent form(nullptr);
  auto* panel = new TComponent(&form);
  const std::size_t before = ParentForms().size();
  auto* first = new TksLanguage(&form);
  new TksLanguage(&form);
  new TksLanguage(panel);  // owned by a component inside the form: no form of its own
  ASSERT_EQ(ParentForms().size(), before + 2);
  EXPECT_EQ(ParentForms()[before], &form);
  EXPECT_EQ(ParentForms()[before + 1], &form);
  delete first;
  EXPECT_EQ(ParentForms().size(), before + 1);
  form.DestroyComponents();
  EXPECT_EQ(ParentForms().size(), before);
}

}  // namespace
}  // namespace vd
