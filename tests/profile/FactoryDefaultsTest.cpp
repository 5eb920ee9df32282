#include "profile/FactoryDefaults.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/Errors.h"
#include "platform/memory/MemoryPlatform.h"
#include "profile/DataModule.h"
#include "tests/profile/ProfileTestSupport.h"

namespace vd {
namespace {

using testing::BytesOf;
using testing::ReadGolden;
using testing::RecordOf;
using testing::TByteVector;

constexpr char16_t kProfileFolder[] = u"C:\\users\\tester\\Documents\\Gaming Mouse Vardeln";

TByteVector WithoutIdentity(TByteVector profile) {
  std::fill(profile.begin() + 64, profile.begin() + 72, 0);
  return profile;
}

// The data module's handlers, run over fresh zero streams as start-up does.
class FactoryDefaultsTest : public ::testing::Test {
protected:
  FactoryDefaultsTest() {
    FSystem.Clock.FLocalDateTime = 46365.25;
    FSystem.Resources.AddStoredFormFile(u"TDM", VD_DM_FORM);
    // A data module whose start-up ends at once, so that only the handlers run.
    FSystem.Registry.SetValue(platform::TRootKey::CurrentUser, u"software\\Vardelngmmouse",
                              u"T362ProfileSettingGroup.pfd", platform::REG_SZ_TYPE, TByteVector{0, 0});
    FModule = std::make_unique<TDM>(nullptr);
    FSystem.UI.FMessageBoxes.clear();
  }

  TByteVector Restored(TksProfile* profile, std::size_t size) {
    TksProfileStream stream(size);
    profile->OnRestoreToDefault()(stream);
    return stream;
  }

  platform::TMemoryPlatform FSystem;
  std::unique_ptr<TDM> FModule;
};

TEST_F(FactoryDefaultsTest, GameProfilesMatchTheirGoldenRecords) {
  TksProfile* games[] = {FModule->ksProfileGame1, FModule->ksProfileGame2, FModule->ksProfileGame3,
                         FModule->ksProfileGame4, FModule->ksProfileGame5};
  for (int game = 1; game <= 5; ++game) {
    const std::string name = "T362Profile" + std::to_string(game) + ".pfd";
    const TByteVector bytes = Restored(games[game - 1], sizeof(TMouseProfileInfo));
    EXPECT_EQ(WithoutIdentity(bytes), ReadGolden(name)) << name;
    EXPECT_EQ(RecordOf<TMouseProfileInfo>(bytes)->ProfileHeader.FProfileUID.DataTime(), 46365.25) << name;
  }
}

TEST_F(FactoryDefaultsTest, SettingRecordsMatchTheirGoldenRecords) {
  EXPECT_EQ(Restored(FModule->ksProfileAllSettingInfo, sizeof(TALLGAMESINFO)), ReadGolden("T362Profile.pfd"));
  EXPECT_EQ(Restored(FModule->ksProfileSettingGroup, sizeof(TProfileSettingGroup)),
            ReadGolden("T362ProfileSettingGroup.pfd"));
  EXPECT_TRUE(FSystem.Files.DirectoryExists(kProfileFolder));
  for (int i = 1; i <= 5; ++i)
    EXPECT_TRUE(FSystem.Files.DirectoryExists(std::u16string(kProfileFolder) + u"\\T362Profile" +
                                              std::u16string(1, char16_t(u'0' + i)) + u"_Macros"));
}

TEST_F(FactoryDefaultsTest, DefaultsOverAStreamOfAnotherSizeLeaveExactlyOneRecord) {
  TksProfileStream shortStream(100, 0xAB);
  FModule->ksProfileGame3->OnRestoreToDefault()(shortStream);
  ASSERT_EQ(shortStream.size(), sizeof(TMouseProfileInfo));
  EXPECT_EQ(shortStream[99], 0xAB);  // leading bytes kept
  EXPECT_EQ(shortStream[120000], 0);

  TksProfileStream longStream(sizeof(TALLGAMESINFO) + 10, 0);
  FModule->ksProfileAllSettingInfo->OnRestoreToDefault()(longStream);
  EXPECT_EQ(longStream, ReadGolden("T362Profile.pfd"));
}

TEST(FactoryDefaultsRecordTest, DefaultingGame3KeepsTheMacrosAndClearsButtonDetails) {
  platform::TMemoryPlatform system;
  auto profile = RecordOf<TMouseProfileInfo>();
  for (int m = 0; m < 10; ++m) {
    TMACROKEYINFO& macro = profile->MacroKeyInfoList.MacroInfos[m];
    std::fill(std::begin(macro.MacroList), std::end(macro.MacroList), static_cast<std::uint8_t>(m + 1));
    macro.MacroListCount = 64;
    macro.nMacroIndex = static_cast<std::uint16_t>(m);
    macro.szMacroName[0] = 'M';
  }
  profile->MacroKeyInfoList.nMacroInfoCount = 10;
  for (TBUTTONFUNCINFO& button : profile->ConfigInfo.ButtonFuncInfo) {
    button.FunctionGroup = 4;
    button.MacroKey.nMacroIndex = 7;
    button.ComboKey = TCOMBOKEYINFO{67, 0, 0, 0, 2};
    button.nKeyValue = 65;
    button.nFunctionIndex = 99;
  }
  const TByteVector macrosBefore = BytesOf(profile->MacroKeyInfoList);

  SetGameProfileDefaults(*profile, 3);

  EXPECT_EQ(BytesOf(profile->MacroKeyInfoList), macrosBefore);
  const TMOUSECONFIGINFO& config = profile->ConfigInfo;
  for (int b = 0; b < 10; ++b) {
    EXPECT_EQ(config.ButtonFuncInfo[b].MacroKey.nMacroIndex, 0) << b;
    EXPECT_EQ(config.ButtonFuncInfo[b].ComboKey.nKeyValue1, 0) << b;
  }
  EXPECT_EQ(config.ButtonFuncInfo[3].nKeyValue, 164);  // left Alt replaces the old key
  EXPECT_EQ(config.ButtonFuncInfo[8].nKeyValue, 0);
  // Button 9 loses only its first 3876 bytes and is out of use.
  EXPECT_EQ(config.ButtonFuncInfo[9].nFunctionIndex, 99);
  EXPECT_EQ(config.ButtonFuncInfo[9].FunctionGroup, 4);
  EXPECT_EQ(config.ButtonFuncInfo[9].nKeyValue, 0);
  EXPECT_EQ(config.ButtonCount, 9);
  // Buttons 10..14 are not touched at all.
  EXPECT_EQ(config.ButtonFuncInfo[10].nKeyValue, 65);
  EXPECT_EQ(config.ButtonFuncInfo[14].MacroKey.nMacroIndex, 7);
}

TEST(FactoryDefaultsRecordTest, ProfilesDefaultedASecondApartDifferInTheirIdentity) {
  platform::TMemoryPlatform system;
  auto first = RecordOf<TMouseProfileInfo>();
  auto second = RecordOf<TMouseProfileInfo>();
  SetGameProfileDefaults(*first, 1);
  system.Clock.FLocalDateTime += 1.0 / 86400;
  SetGameProfileDefaults(*second, 1);
  EXPECT_NE(BytesOf(first->ProfileHeader.FProfileUID), BytesOf(second->ProfileHeader.FProfileUID));
  EXPECT_EQ(WithoutIdentity(BytesOf(*first)), WithoutIdentity(BytesOf(*second)));
}

TEST(FactoryDefaultsRecordTest, TheLanguageFollowsTheSystemDefaultLanguage) {
  EXPECT_EQ(DefaultLanguageIndex(0x0804), 1);
  EXPECT_EQ(DefaultLanguageIndex(0x0404), 2);
  EXPECT_EQ(DefaultLanguageIndex(0x0409), 0);
  EXPECT_EQ(DefaultLanguageIndex(0x0C04), 0);  // Chinese, Hong Kong

  auto info = RecordOf<TALLGAMESINFO>();
  SetAllSettingDefaults(*info, 0x0804);
  EXPECT_EQ(info->CurrentLanguage, 1);
}

TEST(FactoryDefaultsRecordTest, AllSettingDefaultsKeepTheOtherTextsOfEachEntry) {
  auto info = RecordOf<TALLGAMESINFO>();
  for (TPROFILE_SETTING& entry : info->Allgameset) {
    entry.EntryFlag = 9;
    entry.StorageKind = StorageKindFile;
    SetFieldText(entry.FilePath, u"D:\\old");
    SetFieldText(entry.KeyPath, u"key");
    SetFieldText(entry.FileName, u"name.pfd");
    SetFieldText(entry.MacroPath, u"macros");
  }
  info->CurrentGame = 4;
  SetAllSettingDefaults(*info, 0x0409);
  for (const TPROFILE_SETTING& entry : info->Allgameset) {
    EXPECT_EQ(FieldText(entry.FilePath), u"");
    EXPECT_EQ(entry.FilePath[1], u':');  // only the terminator was written
    EXPECT_EQ(entry.StorageKind, StorageKindRegistry);
    EXPECT_EQ(FieldText(entry.KeyPath), u"key");
    EXPECT_EQ(FieldText(entry.FileName), u"name.pfd");
    EXPECT_EQ(FieldText(entry.MacroPath), u"macros");
  }
  EXPECT_EQ(info->Allgameset[0].EntryFlag, 1);
  EXPECT_EQ(info->Allgameset[1].EntryFlag, 0);
  EXPECT_EQ(info->CurrentGame, 0);
}

TEST(FactoryDefaultsRecordTest, AFolderThatCannotBeCreatedRaisesAnIOErrorAfterTheEntriesWritten) {
  platform::TMemoryPlatform system;
  auto group = RecordOf<TProfileSettingGroup>();
  group->CurrentProfileGroup = 1;
  // The documents folder itself is missing: the profile folder cannot be made.
  const std::u16string folder = u"C:\\missing\\Gaming Mouse Vardeln";
  try {
    SetProfileGroupDefaults(*group, folder);
    FAIL() << "no error raised";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Message(), u"I/O error 3");
  }
  EXPECT_EQ(FieldText(group->ProfileSettingList[0].FileName), u"T362Profile1.pfd");
  EXPECT_EQ(FieldText(group->ProfileSettingList[0].FilePath), folder);
  EXPECT_EQ(FieldText(group->ProfileSettingList[1].FileName), u"");
  EXPECT_EQ(group->CurrentProfileGroup, 1);
}

TEST(NewProfileUidTest, HoldsTheLocalDateTime) {
  platform::TMemoryPlatform system;
  system.Clock.FLocalDateTime = 46365.75;
  std::uint8_t uid[8] = {};
  NewProfileUID(uid);
  double stored = 0;
  std::memcpy(&stored, uid, 8);
  EXPECT_EQ(stored, 46365.75);
  EXPECT_EQ(uid[7], 0x40);  // little-endian double: sign and exponent in the last byte
}

}  // namespace
}  // namespace vd
