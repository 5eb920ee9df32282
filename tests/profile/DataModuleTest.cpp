#include "profile/DataModule.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "core/ClassRegistry.h"
#include "core/ComponentReader.h"
#include "platform/memory/MemoryPlatform.h"
#include "streams/TextObjectStream.h"
#include "tests/profile/ProfileTestSupport.h"

namespace vd {
namespace {

using platform::TRootKey;
using testing::BytesOf;
using testing::ReadGolden;
using testing::RecordOf;
using testing::TByteVector;

constexpr char16_t kKey[] = u"software\\Vardelngmmouse";
constexpr char16_t kGroupValue[] = u"T362ProfileSettingGroup.pfd";
constexpr char16_t kAllValue[] = u"T362Profile.pfd";
constexpr char16_t kProfileFolder[] = u"C:\\users\\tester\\Documents\\Gaming Mouse Vardeln";

std::u16string GameValue(int game) { return u"T362Profile" + std::u16string(1, char16_t(u'0' + game)) + u".pfd"; }

// A stored game profile that tells itself apart by its LED colour.
TByteVector MarkedProfile(std::uint8_t mark) {
  auto profile = RecordOf<TMouseProfileInfo>();
  profile->ConfigInfo.LEDConfig.R = mark;
  profile->ConfigInfo.ButtonFuncInfo[0].nFunctionIndex = 28;
  return BytesOf(*profile);
}

class DataModuleTest : public ::testing::Test {
protected:
  DataModuleTest() { FSystem.Resources.AddStoredFormFile(u"TDM", VD_DM_FORM); }

  // The store as the configurator left it: the factory group and all-settings records,
  // changed by `edit`.
  void StoreGroup(const std::function<void(TProfileSettingGroup&)>& edit = {}) {
    auto group = RecordOf<TProfileSettingGroup>(ReadGolden("T362ProfileSettingGroup.pfd"));
    if (edit) edit(*group);
    SetValue(kGroupValue, BytesOf(*group));
  }
  void StoreAllSettings(const std::function<void(TALLGAMESINFO&)>& edit = {}) {
    auto all = RecordOf<TALLGAMESINFO>(ReadGolden("T362Profile.pfd"));
    if (edit) edit(*all);
    SetValue(kAllValue, BytesOf(*all));
  }
  void SetValue(std::u16string_view name, TByteVector data, std::uint32_t type = platform::REG_BINARY_TYPE) {
    FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, name, type, std::move(data));
  }
  const platform::TMemoryRegValue* Value(std::u16string_view name) {
    return FSystem.Registry.Value(TRootKey::CurrentUser, kKey, name);
  }
  void Start() { FModule = std::make_unique<TDM>(nullptr); }
  std::u16string ErrorBoxes() {
    std::u16string texts;
    for (const auto& box : FSystem.UI.FMessageBoxes) texts += box.Text + u";";
    return texts;
  }
  // What message 7035 runs on the module.
  void Reload() {
    FModule->LoadProfileGroupSettingInfoFromRegistry();
    FModule->LoadAllProfileInfoFromRegistry();
    FModule->LoadCurrentProfileInfoFromRegistry();
  }

  platform::TMemoryPlatform FSystem;
  std::unique_ptr<TDM> FModule;
};

TEST_F(DataModuleTest, ItsComponentsAndHandlersAreThoseOfItsStoredDescription) {
  StoreGroup();
  StoreAllSettings();
  Start();
  EXPECT_EQ(FModule->Name(), u"DM");
  EXPECT_EQ(FModule->OnCreate.HandlerName(), u"DataModuleCreate");
  const char16_t* names[] = {u"ksProfileAllSettingInfo", u"ksProfileGame1", u"ksProfileGame2",       u"ksProfileGame3",
                             u"ksProfileGame4",          u"ksProfileGame5", u"ksProfileSettingGroup"};
  ASSERT_EQ(FModule->ComponentCount(), 7);
  for (int i = 0; i < 7; ++i) {
    auto* profile = dynamic_cast<TksProfile*>(FModule->Components(i));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->Name(), names[i]);
    EXPECT_EQ(profile->OnRestoreToDefault().HandlerName(), std::u16string(names[i]) + u"RestoreToDefault");
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(FModule->ProfileGroup(i), FModule->Components(1 + i));
}

TEST(DataModuleWithoutDescriptionTest, AProgramBuiltWithoutTheModulesDescriptionFailsToCreateIt) {
  platform::TMemoryPlatform system;
  EXPECT_THROW(TDM(nullptr), EResNotFound);
}

TEST_F(DataModuleTest, AStoredDescriptionBindsItsProfilesToTheHandlersByName) {
  StoreGroup();
  StoreAllSettings();
  Start();
  RegisterComponentClass(TksProfile::StaticClassInfo());
  const std::vector<std::u16string> errors = ReadComponent(*FModule, ParseTextForm(R"(object DM: TDM
  OnCreate = DataModuleCreate
  object ksProfileSpare: TksProfile
    RootKey = 0
    OnRestoreToDefault = ksProfileGame3RestoreToDefault
  end
end
)"));
  EXPECT_TRUE(errors.empty());
  auto* spare = dynamic_cast<TksProfile*>(FModule->FindComponent(u"ksProfileSpare"));
  ASSERT_NE(spare, nullptr);
  EXPECT_EQ(spare->RootKey(), 0u);
  EXPECT_EQ(spare->OnRestoreToDefault().HandlerName(), u"ksProfileGame3RestoreToDefault");
  spare->RestoreToDefault();
  EXPECT_EQ(RecordOf<TMouseProfileInfo>(spare->Stream())->ConfigInfo.CurrentCPIIndex, 2);
  EXPECT_EQ(FModule->ksProfileGame3, FModule->FindComponent(u"ksProfileGame3"));
}

TEST_F(DataModuleTest, AFirstRunWritesTheSettingRecordsButNoGameProfile) {
  Start();
  EXPECT_EQ(ErrorBoxes(), u"");
  ASSERT_NE(Value(kGroupValue), nullptr);
  EXPECT_EQ(Value(kGroupValue)->Type, platform::REG_BINARY_TYPE);
  EXPECT_EQ(Value(kGroupValue)->Data, ReadGolden("T362ProfileSettingGroup.pfd"));
  ASSERT_NE(Value(kAllValue), nullptr);
  EXPECT_EQ(Value(kAllValue)->Data, ReadGolden("T362Profile.pfd"));
  for (int game = 1; game <= 5; ++game) EXPECT_EQ(Value(GameValue(game)), nullptr) << game;
  EXPECT_EQ(Value(u"ProfileID"), nullptr);

  EXPECT_TRUE(FSystem.Files.DirectoryExists(kProfileFolder));
  EXPECT_TRUE(FSystem.Files.DirectoryExists(std::u16string(kProfileFolder) + u"\\T362Profile5_Macros"));
  EXPECT_EQ(FModule->ProfileIndex(), 0);
  EXPECT_EQ(FModule->ProfileGroupIndex(), 0);
  EXPECT_EQ(BytesOf(FModule->CurrentProfileInfo()), FModule->ProfileGroup(0)->Stream());
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.G, 255);  // game 1: yellow
  EXPECT_EQ(FModule->ProfileGroup(4)->Stream()[872 + 84454], 255);       // game 5: red
}

TEST_F(DataModuleTest, StartUpFollowsCurrentGameAndTheReloadFollowsTheGroup) {
  StoreGroup([](TProfileSettingGroup& group) {
    group.CurrentProfileGroup = 1;
    group.ProfileIndexOfProfileGroup[1] = 1;
  });
  StoreAllSettings([](TALLGAMESINFO& all) { all.CurrentGame = 3; });
  for (int game = 1; game <= 5; ++game) SetValue(GameValue(game), MarkedProfile(static_cast<std::uint8_t>(game)));
  Start();
  EXPECT_EQ(ErrorBoxes(), u"");
  EXPECT_EQ(FModule->ProfileGroupIndex(), 1);
  EXPECT_EQ(FModule->ProfileIndex(), 3);
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 4);
  EXPECT_EQ(FModule->AllProfileSettingInfo().CurrentGame, 3);

  Reload();
  EXPECT_EQ(FModule->ProfileIndex(), 1);
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 2);
  EXPECT_EQ(FModule->AllProfileSettingInfo().CurrentGame, 3);  // as stored
  EXPECT_EQ(Value(GameValue(2))->Data, MarkedProfile(2));      // game profiles are never written
}

TEST_F(DataModuleTest, AProfileChangeReloadsTheStoreBeforeWritingTheActiveProfile) {
  StoreGroup();
  StoreAllSettings();
  SetValue(GameValue(2), MarkedProfile(2));
  Start();
  StoreGroup([](TProfileSettingGroup& group) {
    group.CurrentProfileGroup = 1;
    group.ProfileIndexOfProfileGroup[1] = 1;
  });
  FModule->ReloadChangedProfile(1);
  EXPECT_EQ(FModule->ProfileIndex(), 1);
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 2);
  ASSERT_NE(Value(u"ProfileID"), nullptr);
  EXPECT_EQ(Value(u"ProfileID")->Data, (platform::TBytes{1, 0, 0, 0}));

  // A group outside its range stops the reload before the active profile is written.
  StoreGroup([](TProfileSettingGroup& group) { group.CurrentProfileGroup = 2; });
  EXPECT_THROW(FModule->ReloadChangedProfile(4), ERangeError);
  EXPECT_EQ(Value(u"ProfileID")->Data, (platform::TBytes{1, 0, 0, 0}));
}

TEST_F(DataModuleTest, ASwitchMadeOnTheMouseTakesEffectAtOnceAndWritesProfileIDAlone) {
  StoreGroup();
  StoreAllSettings();
  for (int game = 1; game <= 5; ++game) SetValue(GameValue(game), MarkedProfile(static_cast<std::uint8_t>(game)));
  Start();
  SetValue(GameValue(3), MarkedProfile(33));  // saved by the configurator since
  const auto stored = [this] {
    std::vector<TByteVector> values{Value(kGroupValue)->Data, Value(kAllValue)->Data};
    for (int game = 1; game <= 5; ++game) values.push_back(Value(GameValue(game))->Data);
    return values;
  };
  const auto before = stored();

  EXPECT_TRUE(FModule->SwitchToProfileAndWriteProfileID(2));
  EXPECT_EQ(FModule->ProfileIndex(), 2);
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 33);
  EXPECT_EQ(FModule->ProfileSettingGroup().ProfileIndexOfProfileGroup[FModule->ProfileGroupIndex()], 2);
  EXPECT_EQ(FModule->AllProfileSettingInfo().CurrentGame, 2);
  ASSERT_NE(Value(u"ProfileID"), nullptr);
  EXPECT_EQ(Value(u"ProfileID")->Data, (platform::TBytes{2, 0, 0, 0}));
  EXPECT_EQ(stored(), before);  // nothing else written

  EXPECT_FALSE(FModule->SwitchToProfileAndWriteProfileID(5));
  EXPECT_EQ(FModule->ProfileIndex(), 2);
  EXPECT_EQ(Value(u"ProfileID")->Data, (platform::TBytes{2, 0, 0, 0}));
}

TEST_F(DataModuleTest, TheReloadReadsTheRegistryEvenForAFileStoredProfile) {
  const std::u16string file = std::u16string(kProfileFolder) + u"\\T362Profile1.pfd";
  StoreGroup([](TProfileSettingGroup& group) { group.ProfileSettingList[0].StorageKind = StorageKindFile; });
  StoreAllSettings();
  FSystem.Files.AddFile(file, MarkedProfile(10));
  Start();
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 10);
  EXPECT_EQ(*FSystem.Files.File(file), MarkedProfile(10));  // read, not rewritten

  // No registry value: the stream keeps the file's profile.
  EXPECT_FALSE(FModule->LoadCurrentProfileInfoFromRegistry());
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 10);

  SetValue(GameValue(1), MarkedProfile(11));
  EXPECT_TRUE(FModule->LoadCurrentProfileInfoFromRegistry());
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 11);
}

TEST_F(DataModuleTest, AFileStoredProfileWhoseFileIsMissingGetsItsDefaultsWritten) {
  const std::u16string file = std::u16string(kProfileFolder) + u"\\T362Profile2.pfd";
  StoreGroup([](TProfileSettingGroup& group) { group.ProfileSettingList[1].StorageKind = StorageKindFile; });
  StoreAllSettings();
  ASSERT_FALSE(FSystem.Files.DirectoryExists(kProfileFolder));  // only the last level is missing
  Start();
  EXPECT_EQ(ErrorBoxes(), u"");
  ASSERT_NE(FSystem.Files.File(file), nullptr);
  EXPECT_EQ(*FSystem.Files.File(file), FModule->ProfileGroup(1)->Stream());
  auto expected = ReadGolden("T362Profile2.pfd");
  auto written = *FSystem.Files.File(file);
  std::fill(written.begin() + 64, written.begin() + 72, 0);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(FModule->ProfileGroup(1)->FilePath(), u"");  // the folder did not exist when it was set
}

TEST_F(DataModuleTest, AnUnknownStorageKindLeavesTheProfileZero) {
  StoreGroup([](TProfileSettingGroup& group) { group.ProfileSettingList[0].StorageKind = 2; });
  StoreAllSettings();
  SetValue(GameValue(1), MarkedProfile(1));
  Start();
  EXPECT_EQ(ErrorBoxes(), u"");
  EXPECT_EQ(FModule->ProfileGroup(0)->Stream(), TByteVector(sizeof(TMouseProfileInfo)));
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.ButtonCount, 0);
}

TEST_F(DataModuleTest, AGroupOutsideItsRangeIsReportedAndTheMonitorGoesOn) {
  StoreGroup([](TProfileSettingGroup& group) { group.CurrentProfileGroup = 5; });
  StoreAllSettings([](TALLGAMESINFO& all) { all.CurrentLanguage = 2; });
  Start();
  EXPECT_EQ(ErrorBoxes(), u"Range check error;");
  EXPECT_EQ(FModule->ProfileGroupIndex(), 5);
  EXPECT_EQ(FModule->ProfileIndex(), 0);

  EXPECT_THROW(FModule->LoadProfileGroupSettingInfoFromRegistry(), ERangeError);
  // The all-settings record still loads from its stored value.
  FModule->LoadAllProfileInfoFromRegistry();
  EXPECT_EQ(FModule->AllProfileSettingInfo().CurrentLanguage, 2);
}

TEST_F(DataModuleTest, ACurrentGameOutsideItsRangeFailsTheSwitchQuietly) {
  StoreGroup([](TProfileSettingGroup& group) { group.ProfileIndexOfProfileGroup[0] = 2; });
  StoreAllSettings([](TALLGAMESINFO& all) { all.CurrentGame = 7; });
  SetValue(GameValue(3), MarkedProfile(3));
  Start();
  EXPECT_EQ(ErrorBoxes(), u"");
  EXPECT_EQ(FModule->ProfileIndex(), 2);
  EXPECT_EQ(BytesOf(FModule->CurrentProfileInfo()), TByteVector(sizeof(TMouseProfileInfo)));
  EXPECT_FALSE(FModule->SwitchToProfile(5));
  EXPECT_FALSE(FModule->SwitchToProfile(-1));
  EXPECT_TRUE(FModule->SwitchToProfile(2));
  EXPECT_EQ(FModule->CurrentProfileInfo().ConfigInfo.LEDConfig.R, 3);
}

TEST_F(DataModuleTest, AReloadWithAProfileIndexOutsideItsRangeRaisesAndChangesNothing) {
  StoreGroup([](TProfileSettingGroup& group) { group.ProfileIndexOfProfileGroup[0] = 9; });
  StoreAllSettings();
  Start();
  EXPECT_EQ(FModule->ProfileIndex(), 0);  // start-up followed CurrentGame
  const TByteVector current = BytesOf(FModule->CurrentProfileInfo());
  FModule->LoadProfileGroupSettingInfoFromRegistry();
  EXPECT_EQ(FModule->ProfileIndex(), 9);
  EXPECT_THROW(FModule->LoadCurrentProfileInfoFromRegistry(), ERangeError);
  EXPECT_EQ(BytesOf(FModule->CurrentProfileInfo()), current);
}

TEST_F(DataModuleTest, AGroupValueOfTheWrongTypeIsReportedAndNotOverwritten) {
  SetValue(kGroupValue, TByteVector{'a', 0, 'b', 0, 0, 0}, platform::REG_SZ_TYPE);
  StoreAllSettings([](TALLGAMESINFO& all) { all.CurrentLanguage = 1; });
  Start();
  EXPECT_EQ(ErrorBoxes(), u"Invalid data type for 'T362ProfileSettingGroup.pfd';");
  EXPECT_EQ(Value(kGroupValue)->Type, platform::REG_SZ_TYPE);
  EXPECT_EQ(Value(kGroupValue)->Data.size(), 6u);
  // A later 7037 still finds the all-settings record.
  FModule->LoadAllProfileInfoFromRegistry();
  EXPECT_EQ(FModule->AllProfileSettingInfo().CurrentLanguage, 1);
}

TEST_F(DataModuleTest, AValueOfAnotherSizeIsUsedButNeverWrittenBack) {
  StoreGroup();
  TByteVector shortAll = ReadGolden("T362Profile.pfd");
  shortAll.resize(100);
  SetValue(kAllValue, shortAll);
  Start();
  EXPECT_EQ(Value(kAllValue)->Data, shortAll);
  FModule->LoadAllProfileInfoFromRegistry();
  EXPECT_EQ(Value(kAllValue)->Data, shortAll);

  // Once the value is gone, the defaults written are a whole record.
  FSystem.Registry.DeleteValue(TRootKey::CurrentUser, kKey, kAllValue);
  FModule->LoadAllProfileInfoFromRegistry();
  ASSERT_NE(Value(kAllValue), nullptr);
  EXPECT_EQ(Value(kAllValue)->Data, ReadGolden("T362Profile.pfd"));
}

TEST_F(DataModuleTest, AReloadWithoutTheKeyCreatesItWithTheSettingDefaults) {
  StoreGroup();
  StoreAllSettings();
  Start();
  FSystem.Registry.DeleteKey(TRootKey::CurrentUser, kKey);
  Reload();
  EXPECT_EQ(Value(kGroupValue)->Data, ReadGolden("T362ProfileSettingGroup.pfd"));
  EXPECT_EQ(Value(kAllValue)->Data, ReadGolden("T362Profile.pfd"));
  EXPECT_EQ(Value(GameValue(1)), nullptr);
}

TEST_F(DataModuleTest, FailuresWhileWritingDefaultsAreReported) {
  FSystem.Faults.Fail("WriteBinary");
  Start();
  EXPECT_EQ(ErrorBoxes(), u"Failed to set data for 'T362ProfileSettingGroup.pfd';");

  FSystem.Faults.Clear();
  FSystem.UI.FMessageBoxes.clear();
  FSystem.Files.FDocumentsFolder = u"C:\\no such folder";
  FSystem.Registry.DeleteKey(TRootKey::CurrentUser, kKey);
  Start();
  EXPECT_EQ(ErrorBoxes(), u"I/O error 3;");
  EXPECT_EQ(Value(kGroupValue), nullptr);
}

}  // namespace
}  // namespace vd
