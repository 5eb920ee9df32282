#include "lang/ksLanguage.h"

#include <gtest/gtest.h>

#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/ComponentReader.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "streams/TextObjectStream.h"
#include "tests/lang/LangTestSupport.h"

namespace vd {
namespace {

using testing_support::Fixture;
using testing_support::TStandInScene;

// An ordinary component with a caption and a hint, published under a class name of choice.
template <const char16_t* KClassName>
class TCaptioned : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TCaptioned>(KClassName, TComponent::StaticClassInfo())
                                       .String(u"Caption", &TCaptioned::FCaption, &TCaptioned::FCaption)
                                       .String(u"Hint", &TCaptioned::FHint, &TCaptioned::FHint)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  std::u16string FCaption;
  std::u16string FHint;
};
constexpr char16_t kPanel[] = u"TPanel";
constexpr char16_t kMenuItem[] = u"TMenuItem";
using TPanel = TCaptioned<kPanel>;
using TMenuItem = TCaptioned<kMenuItem>;

// A toolkit scene owned by a form: its controls translate themselves.
class TScene : public TComponent, public TStandInScene {
public:
  using TComponent::TComponent;
};

class ksLanguageTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterComponentClass(TksLanguage::StaticClassInfo()); }
  void TearDown() override { ReleaseTranslationState(); }

  std::u16string LanguageFile() { return FPlatform.Files.ProgramFolder() + u"ks.local"; }
  // Reads a form holding a language component whose stored dictionary is the fixture, as
  // the monitor window is read; answers the errors of the read.
  std::vector<std::u16string> ReadForm(const std::string& storedDictionary) {
    TTextFormOptions options;
    options.ReadInclude = [](const std::u16string& path) {
      const std::vector<std::uint8_t> bytes = Fixture(ToUtf8(path));
      return std::string(bytes.begin(), bytes.end());
    };
    const std::string form = "object VDMonMain: TPanel\n  object ksLanguage1: TksLanguage\n    ResourcesBin = File('" +
                             storedDictionary + "')\n  end\nend\n";
    return ReadComponent(FForm, ParseTextForm(form, options));
  }
  TksLanguage& Language() { return dynamic_cast<TksLanguage&>(*FForm.FindComponent(u"ksLanguage1")); }

  platform::TMemoryPlatform FPlatform;
  TPanel FForm{nullptr};
};

TEST_F(ksLanguageTest, AStoredFormSelectsTheUserLocaleAtStartUpAndLeavesLangEmpty) {
  FPlatform.Locale.FUserAbbrevLangName = u"CHS";
  EXPECT_TRUE(ReadForm("two-languages.bin").empty());
  EXPECT_EQ(LookupTranslation(u"Config"), u"打开配置");
  EXPECT_EQ(Language().Lang(), u"");
  EXPECT_EQ(Language().GetLanguageIndexByShortID(Language().Lang()), -1);
  EXPECT_EQ(Language().GetLanguageIndexByShortID(u"us"), 1);
  EXPECT_EQ(Language().GetLanguageShortIDByIndex(0), u"CH");
  EXPECT_EQ(ParentForms().back(), &FForm);
}

TEST_F(ksLanguageTest, APositionOutsideTheLanguagesNamesNoneAndSelectsNothing) {
  ReadForm("two-languages.bin");
  Language().SetLang(u"US");
  EXPECT_EQ(Language().Lang(), u"US");
  EXPECT_EQ(Language().GetLanguageShortIDByIndex(2), u"");
  EXPECT_EQ(Language().GetLanguageShortIDByIndex(-1), u"");
  Language().SetLang(Language().GetLanguageShortIDByIndex(2));
  EXPECT_EQ(Language().Lang(), u"");
  EXPECT_EQ(ActiveLanguageTable()->Values(u"Exit"), u"Exit");
}

TEST_F(ksLanguageTest, OsDefaultLanguageIsFourUpperCaseHexDigits) {
  TksLanguage language(nullptr);
  EXPECT_EQ(language.GetOSDefaultLang(), u"0409");
  FPlatform.Locale.FSystemDefaultLangID = 0x0804;
  EXPECT_EQ(language.GetOSDefaultLang(), u"0804");
}

TEST_F(ksLanguageTest, LanguageFileLanguagesComeFirstAndShadowTheStoredOnes) {
  FPlatform.Files.AddFile(LanguageFile(), Fixture("second-ch.bin"));
  ReadForm("two-languages.bin");
  EXPECT_EQ(Language().LocalFileError(), nullptr);
  EXPECT_EQ(Language().Resources().Text(), u"CH\r\nUS\r\nCH\r\nUS\r\n");
  EXPECT_EQ(Language().Original().Text(), u"About\r\nConfig\r\nExit\r\n");  // the stored form's
  Language().SetLang(Language().GetLanguageShortIDByIndex(1));
  EXPECT_EQ(LookupTranslation(u"Config"), u"Settings");
  Language().SetLang(Language().GetLanguageShortIDByIndex(2));
  EXPECT_EQ(LookupTranslation(u"Config"), u"配置");  // the stored "CH" is never reached
}

TEST_F(ksLanguageTest, AMalformedOrUnreadableLanguageFileIsLeftOutAsAWholeAndTraced) {
  FPlatform.Files.AddFile(LanguageFile(), Fixture("table-too-long.bin"));
  ReadForm("two-languages.bin");
  ASSERT_NE(Language().LocalFileError(), nullptr);
  const std::u16string message = Language().LocalFileError()->Message();
  EXPECT_EQ(message, u"Dictionary \"" + LanguageFile() +
                         u"\" is damaged: the table of language 1 claims 100 characters at byte 58, but only 14 "
                         u"bytes follow.");
  EXPECT_EQ(FPlatform.UI.FDebugOutput, std::vector<std::u16string>{message});
  EXPECT_TRUE(FPlatform.UI.FMessageBoxes.empty());
  EXPECT_EQ(Language().Resources().Text(), u"CH\r\nUS\r\n");

  FPlatform.Faults.Fail("ReadFile", 32);
  TksLanguage unreadable(nullptr);
  ASSERT_NE(unreadable.LocalFileError(), nullptr);
  EXPECT_EQ(unreadable.LocalFileError()->Message(),
            u"Cannot open file \"" + LanguageFile() + u"\". " + FPlatform.Files.SystemErrorMessage(32));
}

TEST_F(ksLanguageTest, AMalformedStoredDictionaryIsReportedByTheRead) {
  EXPECT_EQ(ReadForm("trailing-bytes.bin"),
            std::vector<std::u16string>{u"Error reading ksLanguage1.ResourcesBin: Dictionary "
                                        u"\"ksLanguage1.ResourcesBin\" is damaged: 3 bytes follow the last language."});
  EXPECT_EQ(Language().Resources().Count(), 0);
}

TEST_F(ksLanguageTest, SettingLangTranslatesCaptionsAndHintsOfEveryFormButSkippedClassesAndScenes) {
  FForm.FCaption = u"About";
  ReadForm("two-languages.bin");
  auto* panel = new TPanel(&FForm);
  panel->FHint = u"Exit";
  auto* button = new TPanel(panel);
  button->FCaption = u"Config";
  auto* menuItem = new TMenuItem(&FForm);
  menuItem->FCaption = u"Exit";
  auto* scene = new TScene(&FForm);
  auto* inScene = new TPanel(scene);
  inScene->FCaption = u"Config";
  TPanel otherForm(nullptr);
  otherForm.FCaption = u"Config";
  new TksLanguage(&otherForm);

  Language().SetLang(u"CH");
  EXPECT_EQ(FForm.FCaption, u"关于软件");
  EXPECT_EQ(panel->FHint, u"退出软件");
  EXPECT_EQ(button->FCaption, u"打开配置");
  EXPECT_EQ(otherForm.FCaption, u"打开配置");
  EXPECT_EQ(menuItem->FCaption, u"Exit");
  EXPECT_EQ(inScene->FCaption, u"Config");
  // The walk looks what components show now up in the new table: a caption translated
  // before has no entry there and stays. (The monitor sets its own texts from the sources.)
  Language().SetLang(u"US");
  EXPECT_EQ(button->FCaption, u"打开配置");
}

TEST_F(ksLanguageTest, FormsAreListedOncePerLanguageComponentWhileItLives) {
  const std::size_t before = ParentForms().size();
  auto* first = new TksLanguage(&FForm);
  new TksLanguage(&FForm);
  new TksLanguage(new TPanel(&FForm));  // inside the form: no form of its own
  ASSERT_EQ(ParentForms().size(), before + 2);
  EXPECT_EQ(ParentForms()[before], &FForm);
  EXPECT_EQ(ParentForms()[before + 1], &FForm);
  delete first;
  EXPECT_EQ(ParentForms().size(), before + 1);
  FForm.DestroyComponents();
  EXPECT_EQ(ParentForms().size(), before);
}

}  // namespace
}  // namespace vd
