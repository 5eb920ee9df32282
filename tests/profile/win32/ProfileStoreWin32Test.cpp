// The profile store against the real system under Wine: records through the registry and
// files, ProfileID, and a first start of the data module on an empty store.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "base/Errors.h"
#include "core/Application.h"
#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/Win32Platform.h"
#include "profile/DataModule.h"
#include "profile/ProfileID.h"
#include "profile/ProfileRecords.h"
#include "profile/ksProfile.h"
#include "tests/profile/ProfileTestSupport.h"

namespace vd {
namespace {

using win32::W;

constexpr char16_t kKey[] = u"software\\Vardelngmmouse";

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 5);
  return bytes;
}

// Type and bytes of a value under the store's key, read with the system's own calls.
struct TStoredValue {
  DWORD Type = 0;
  std::vector<std::uint8_t> Data;
};

bool ReadStoredValue(const char16_t* name, TStoredValue& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(kKey), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  win32::TUniqueRegKey owner(key);
  DWORD size = 0;
  if (RegQueryValueExW(key, W(name), nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS) return false;
  value.Data.resize(size);
  return RegQueryValueExW(key, W(name), nullptr, nullptr, value.Data.data(), &size) == ERROR_SUCCESS;
}

bool KeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(kKey), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class ProfileStoreWin32Test : public ::testing::Test {
protected:
  void SetUp() override {
    Clean();
    FFolder = platform::Platform().Files->ProgramFolder() + u"profile-store-test";
  }
  void TearDown() override {
    Clean();
    for (const char16_t* name : {u"\\game.pfd", u"\\game.pfd.new"}) DeleteFileW(W(FFolder + name));
    RemoveDirectoryW(W(FFolder));
  }
  void Clean() {
    RegDeleteTreeW(HKEY_CURRENT_USER, W(kKey));
    RegDeleteKeyW(HKEY_CURRENT_USER, W(kKey));
  }
  TksProfile* NewProfile() {
    auto* profile = new TksProfile(&FOwner);
    profile->SetRootKey(RootKeyCurrentUser);
    profile->SetKeyPath(kKey);
    profile->SetFileName(u"T362Profile4.pfd");
    return profile;
  }

  platform::TWin32Platform FSystem;
  TComponent FOwner{nullptr};
  std::u16string FFolder;
};

TEST_F(ProfileStoreWin32Test, AProfileRoundTripsThroughTheRegistry) {
  const std::vector<std::uint8_t> record = Pattern(sizeof(TMouseProfileInfo));
  TksProfile* writer = NewProfile();
  writer->Write(record.data(), static_cast<std::int32_t>(record.size()));
  ASSERT_TRUE(writer->SaveStreamToRegistry());

  TStoredValue stored;
  ASSERT_TRUE(ReadStoredValue(u"T362Profile4.pfd", stored));
  EXPECT_EQ(stored.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(stored.Data, record);

  TksProfile* reader = NewProfile();
  ASSERT_TRUE(reader->LoadStreamFromRegistry());
  EXPECT_EQ(reader->Stream(), record);
}

TEST_F(ProfileStoreWin32Test, AStringValueIsRefusedWithTheFrameworkText) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, W(kKey), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  win32::TUniqueRegKey owner(key);
  const wchar_t text[] = L"corrupt";
  ASSERT_EQ(RegSetValueExW(key, L"T362Profile4.pfd", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
            ERROR_SUCCESS);
  TksProfile* profile = NewProfile();
  try {
    profile->LoadStreamFromRegistry();
    FAIL() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), u"Invalid data type for 'T362Profile4.pfd'");
  }
  EXPECT_TRUE(profile->Stream().empty());
}

TEST_F(ProfileStoreWin32Test, AProfileRoundTripsThroughAFile) {
  const std::u16string path = FFolder + u"\\game.pfd";
  const std::vector<std::uint8_t> record = Pattern(sizeof(TMouseProfileInfo));
  TksProfile* writer = NewProfile();
  writer->Write(record.data(), static_cast<std::int32_t>(record.size()));
  ASSERT_TRUE(writer->SaveStreamToFile(path));  // creates the folder
  EXPECT_EQ(GetFileAttributesW(W(path + u".new")), INVALID_FILE_ATTRIBUTES);

  TksProfile* reader = NewProfile();
  EXPECT_FALSE(reader->LoadStreamFromFile(FFolder + u"\\missing.pfd"));
  ASSERT_TRUE(reader->LoadStreamFromFile(path));
  EXPECT_EQ(reader->Stream(), record);

  reader->SetFilePath(FFolder);
  reader->SetFileName(u"game.pfd");
  reader->Write("new", 3);
  ASSERT_TRUE(reader->SaveStreamToFile());
  ASSERT_TRUE(writer->LoadStreamFromFile(path));
  EXPECT_EQ(writer->Stream().size(), record.size());  // the stream never shrinks
  EXPECT_EQ(writer->Stream()[0], 'n');
}

TEST_F(ProfileStoreWin32Test, AFileThatCannotBeCreatedRaisesTheFrameworkText) {
  TksProfile* profile = NewProfile();
  profile->Write("x", 1);
  ASSERT_EQ(CreateDirectoryW(W(FFolder), nullptr), TRUE);
  try {
    profile->SaveStreamToFile(FFolder + u"\\");  // names the folder itself
    FAIL() << "no error raised";
  } catch (const EFCreateError& error) {
    const std::u16string start = u"Cannot create file \"" + FFolder + u"\\\". ";
    EXPECT_EQ(error.Message().substr(0, start.size()), start);
    EXPECT_GT(error.Message().size(), start.size());  // the system's text follows
  }
}

TEST_F(ProfileStoreWin32Test, ProfileIDIsWrittenOnlyIntoAnExistingKey) {
  EXPECT_FALSE(WriteProfileID(4));
  EXPECT_FALSE(KeyExists());

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, W(kKey), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(WriteProfileID(4));
  TStoredValue stored;
  ASSERT_TRUE(ReadStoredValue(u"ProfileID", stored));
  EXPECT_EQ(stored.Type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored.Data, (std::vector<std::uint8_t>{4, 0, 0, 0}));
}

TEST_F(ProfileStoreWin32Test, AFirstStartWritesTheSettingRecordsAndTheProfileFolders) {
  const auto module = std::make_unique<TDM>(nullptr);
  TStoredValue group, all, game;
  ASSERT_TRUE(ReadStoredValue(u"T362ProfileSettingGroup.pfd", group));
  EXPECT_EQ(group.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(group.Data.size(), 30964u);
  ASSERT_TRUE(ReadStoredValue(u"T362Profile.pfd", all));
  EXPECT_EQ(all.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(all.Data.size(), 30954u);
  EXPECT_FALSE(ReadStoredValue(u"T362Profile1.pfd", game));
  // The records are the same bytes as the golden ones, but for the folders of this user.
  EXPECT_EQ(all.Data, testing::ReadGolden("T362Profile.pfd"));
  const auto withoutFolders = [](const std::vector<std::uint8_t>& bytes) {
    auto record = testing::RecordOf<TProfileSettingGroup>(bytes);
    for (TPROFILE_SETTING& setting : record->ProfileSettingList) {
      std::fill(std::begin(setting.FilePath), std::end(setting.FilePath), u'\0');
      std::fill(std::begin(setting.MacroPath), std::end(setting.MacroPath), u'\0');
    }
    return testing::BytesOf(*record);
  };
  EXPECT_EQ(withoutFolders(group.Data), withoutFolders(testing::ReadGolden("T362ProfileSettingGroup.pfd")));

  const std::u16string folder = module->GetPersonalDocumentProfileFolder();
  EXPECT_EQ(FieldText(module->ProfileSettingGroup().ProfileSettingList[0].FilePath), folder);
  for (int i = 1; i <= 5; ++i) {
    const std::u16string macros = folder + u"\\T362Profile" + std::u16string(1, char16_t(u'0' + i)) + u"_Macros";
    const DWORD attributes = GetFileAttributesW(W(macros));
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << i;
  }
  EXPECT_EQ(module->CurrentProfileInfo().ConfigInfo.ButtonCount, 9);
}

}  // namespace
}  // namespace vd
