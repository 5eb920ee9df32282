#include "profile/ksProfile.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "platform/memory/MemoryPlatform.h"
#include "profile/ProfileRecords.h"
#include "tests/profile/ProfileTestSupport.h"

namespace vd {
namespace {

using platform::TRootKey;
using testing::BytesOf;
using testing::RecordOf;
using testing::TByteVector;

constexpr char16_t kKey[] = u"software\\Vardelngmmouse";
constexpr char16_t kValue[] = u"T362Profile3.pfd";
constexpr char16_t kFolder[] = u"C:\\users\\tester\\Documents\\Gaming Mouse Vardeln";
constexpr char16_t kFile[] = u"C:\\users\\tester\\Documents\\Gaming Mouse Vardeln\\T362Profile3.pfd";

TByteVector Pattern(std::size_t size, std::uint8_t seed) {
  TByteVector bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
  return bytes;
}

class ksProfileTest : public ::testing::Test {
protected:
  ksProfileTest() : FProfile(new TksProfile(&FOwner)) {
    FProfile->SetRootKey(RootKeyCurrentUser);
    FProfile->SetKeyPath(kKey);
    FProfile->SetFileName(kValue);
  }

  std::u16string CaughtMessage(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& error) {
      return error.Message();
    }
    return u"(nothing raised)";
  }

  platform::TMemoryPlatform FSystem;
  TComponent FOwner{nullptr};
  TksProfile* FProfile;
};

TEST_F(ksProfileTest, WriteNeverShrinksTheStreamAndReadCopiesNoMoreThanItHolds) {
  const TByteVector big = Pattern(100, 1), small = Pattern(10, 50);
  EXPECT_EQ(FProfile->Write(big.data(), 100), 100);
  EXPECT_EQ(FProfile->Write(small.data(), 10), 10);
  EXPECT_EQ(FProfile->Size(), 100);
  TByteVector buffer(120, 0xEE);
  EXPECT_EQ(FProfile->Read(buffer.data(), 120), 100);
  EXPECT_TRUE(std::equal(small.begin(), small.end(), buffer.begin()));
  EXPECT_TRUE(std::equal(big.begin() + 10, big.end(), buffer.begin() + 10));
  EXPECT_EQ(buffer[100], 0xEE);
}

TEST_F(ksProfileTest, ARecordRoundTripsThroughTheRegistryAsABinaryValue) {
  auto record = RecordOf<TMouseProfileInfo>(Pattern(sizeof(TMouseProfileInfo), 7));
  FProfile->Write(record.get(), sizeof(TMouseProfileInfo));
  ASSERT_TRUE(FProfile->SaveStreamToRegistry());
  const platform::TMemoryRegValue* value = FSystem.Registry.Value(TRootKey::CurrentUser, kKey, kValue);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->Type, platform::REG_BINARY_TYPE);
  EXPECT_EQ(value->Data, BytesOf(*record));

  auto* other = new TksProfile(&FOwner);
  other->SetRootKey(RootKeyCurrentUser);
  other->SetKeyPath(kKey);
  other->SetFileName(kValue);
  ASSERT_TRUE(other->LoadStreamFromRegistry());
  auto copy = RecordOf<TMouseProfileInfo>();
  EXPECT_EQ(other->Read(copy.get(), sizeof(TMouseProfileInfo)), 120256);
  EXPECT_EQ(BytesOf(*copy), BytesOf(*record));
}

TEST_F(ksProfileTest, AShorterStoredValueFillsOnlyTheStartOfTheRecord) {
  FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, kValue, platform::REG_BINARY_TYPE, Pattern(1000, 9));
  const TByteVector zeros(sizeof(TMouseProfileInfo));
  FProfile->Write(zeros.data(), static_cast<std::int32_t>(zeros.size()));
  ASSERT_TRUE(FProfile->LoadStreamFromRegistry());
  EXPECT_EQ(FProfile->Stream().size(), 1000u);

  auto record = RecordOf<TMouseProfileInfo>(Pattern(sizeof(TMouseProfileInfo), 200));
  const TByteVector before = BytesOf(*record);
  EXPECT_EQ(FProfile->Read(record.get(), sizeof(TMouseProfileInfo)), 1000);
  const TByteVector after = BytesOf(*record);
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 1000, Pattern(1000, 9).begin()));
  EXPECT_TRUE(std::equal(after.begin() + 1000, after.end(), before.begin() + 1000));
}

TEST_F(ksProfileTest, ALongerStoredValueIsKeptWholeButReadOnlyToTheRecordSize) {
  const TByteVector stored = Pattern(sizeof(TALLGAMESINFO) + 50, 4);
  FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, kValue, platform::REG_BINARY_TYPE, stored);
  ASSERT_TRUE(FProfile->LoadStreamFromRegistry());
  EXPECT_EQ(FProfile->Stream(), stored);
  auto record = RecordOf<TALLGAMESINFO>();
  EXPECT_EQ(FProfile->Read(record.get(), sizeof(TALLGAMESINFO)), 30954);
  EXPECT_EQ(BytesOf(*record), TByteVector(stored.begin(), stored.begin() + 30954));
}

TEST_F(ksProfileTest, WithoutARootKeyOrNamesTheRegistryIsNotTouched) {
  FProfile->SetRootKey(0);  // as the stored form has it
  EXPECT_FALSE(FProfile->LoadStreamFromRegistry());
  EXPECT_FALSE(FProfile->SaveStreamToRegistry());
  FProfile->SetRootKey(0x80000003);  // HKEY_USERS is not a root of ours
  EXPECT_FALSE(FProfile->SaveStreamToRegistry());
  FProfile->SetRootKey(RootKeyCurrentUser);
  FProfile->SetFileName(u"");
  EXPECT_FALSE(FProfile->SaveStreamToRegistry());
  FProfile->SetFileName(kValue);
  FProfile->SetKeyPath(u"");
  EXPECT_FALSE(FProfile->LoadStreamFromRegistry());
  EXPECT_FALSE(FSystem.Registry.KeyExists(TRootKey::CurrentUser, kKey));

  FProfile->SetKeyPath(kKey);
  FProfile->SetRootKey(RootKeyLocalMachine);
  EXPECT_TRUE(FProfile->SaveStreamToRegistry());
  EXPECT_NE(FSystem.Registry.Value(TRootKey::LocalMachine, kKey, kValue), nullptr);
}

TEST_F(ksProfileTest, AMissingValueAnswersFalseAndLeavesTheStreamButCreatesTheKey) {
  const TByteVector stored = Pattern(20, 1);
  FProfile->Write(stored.data(), 20);
  EXPECT_FALSE(FProfile->LoadStreamFromRegistry());
  EXPECT_EQ(FProfile->Stream(), stored);
  EXPECT_TRUE(FSystem.Registry.KeyExists(TRootKey::CurrentUser, kKey));

  FSystem.Faults.Fail("CreateKey");
  EXPECT_FALSE(FProfile->LoadStreamFromRegistry());
  EXPECT_FALSE(FProfile->SaveStreamToRegistry());
}

TEST_F(ksProfileTest, StringAndDWordValuesRaiseAndLeaveTheStreamWhole) {
  const TByteVector stored = Pattern(30, 2);
  FProfile->Write(stored.data(), 30);
  for (std::uint32_t type : {platform::REG_SZ_TYPE, platform::REG_EXPAND_SZ_TYPE, platform::REG_DWORD_TYPE}) {
    FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, kValue, type, TByteVector{'x', 0, 0, 0});
    EXPECT_EQ(CaughtMessage([&] { FProfile->LoadStreamFromRegistry(); }), u"Invalid data type for 'T362Profile3.pfd'")
        << type;
    EXPECT_EQ(FProfile->Stream(), stored);
  }
  // Other kinds are taken as raw bytes.
  FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, kValue, platform::REG_MULTI_SZ_TYPE, TByteVector{1, 2});
  EXPECT_TRUE(FProfile->LoadStreamFromRegistry());
  EXPECT_EQ(FProfile->Stream(), (TByteVector{1, 2}));
}

TEST_F(ksProfileTest, RegistryTransferFailuresRaiseTheFrameworkTexts) {
  FProfile->Write("abc", 3);
  FSystem.Faults.Fail("WriteBinary");
  EXPECT_EQ(CaughtMessage([&] { FProfile->SaveStreamToRegistry(); }), u"Failed to set data for 'T362Profile3.pfd'");

  FSystem.Registry.SetValue(TRootKey::CurrentUser, kKey, kValue, platform::REG_BINARY_TYPE, Pattern(5, 0));
  FSystem.Faults.Fail("ReadValue");
  // An existing value that cannot be read must not pass for a missing one.
  EXPECT_EQ(CaughtMessage([&] { FProfile->LoadStreamFromRegistry(); }), u"Failed to get data for 'T362Profile3.pfd'");
  EXPECT_EQ(FProfile->Stream().size(), 3u);
}

TEST_F(ksProfileTest, FilePathTakesOnlyExistingFoldersAndEndsWithABackslash) {
  EXPECT_FALSE(FProfile->SaveStreamToFile());  // no folder yet
  FProfile->SetFilePath(kFolder);              // does not exist
  EXPECT_EQ(FProfile->FilePath(), u"");
  EXPECT_FALSE(FProfile->SaveStreamToFile());

  FSystem.Files.AddFolder(kFolder);
  FProfile->SetFilePath(kFolder);
  EXPECT_EQ(FProfile->FilePath(), std::u16string(kFolder) + u"\\");
  FProfile->SetFilePath(u"C:\\nowhere");
  EXPECT_EQ(FProfile->FilePath(), std::u16string(kFolder) + u"\\");

  FProfile->Write("data", 4);
  ASSERT_TRUE(FProfile->SaveStreamToFile());
  ASSERT_NE(FSystem.Files.File(kFile), nullptr);
  EXPECT_EQ(*FSystem.Files.File(kFile), (TByteVector{'d', 'a', 't', 'a'}));
}

TEST_F(ksProfileTest, SavingToAPathCreatesOnlyTheLastFolderLevel) {
  FProfile->Write("xyz", 3);
  ASSERT_TRUE(FProfile->SaveStreamToFile(kFile));  // Documents exists, the profile folder not
  EXPECT_TRUE(FSystem.Files.DirectoryExists(kFolder));
  EXPECT_NE(FSystem.Files.File(kFile), nullptr);
  EXPECT_EQ(FProfile->FilePath(), u"");
  EXPECT_EQ(FProfile->FileName(), kValue);

  EXPECT_FALSE(FProfile->SaveStreamToFile(u"C:\\a\\b\\profile.pfd"));
  EXPECT_FALSE(FSystem.Files.DirectoryExists(u"C:\\a"));
  EXPECT_FALSE(FProfile->SaveStreamToFile(u"profile.pfd"));
}

TEST_F(ksProfileTest, AFileRoundTripsAndAMissingFileAnswersFalse) {
  const TByteVector stored = Pattern(40, 6);
  FProfile->Write(stored.data(), 40);
  EXPECT_FALSE(FProfile->LoadStreamFromFile(kFile));
  EXPECT_EQ(FProfile->Stream(), stored);

  FSystem.Files.AddFile(kFile, Pattern(7, 1));
  ASSERT_TRUE(FProfile->LoadStreamFromFile(kFile));
  EXPECT_EQ(FProfile->Stream(), Pattern(7, 1));  // the stream takes the file's size
  EXPECT_EQ(FProfile->FilePath(), u"");
}

TEST_F(ksProfileTest, FileTransferFailuresRaiseTheFrameworkTexts) {
  FSystem.Files.AddFile(kFile, Pattern(7, 1));
  FProfile->Write("ab", 2);
  FSystem.Faults.Fail("ReadFile", 32);
  EXPECT_EQ(CaughtMessage([&] { FProfile->LoadStreamFromFile(kFile); }),
            u"Cannot open file \"" + std::u16string(kFile) +
                u"\". The process cannot access the file because it is being used by another process");
  EXPECT_EQ(FProfile->Stream(), (TByteVector{'a', 'b'}));

  FSystem.Faults.Fail("WriteFile", 5);
  EXPECT_EQ(CaughtMessage([&] { FProfile->SaveStreamToFile(kFile); }),
            u"Cannot create file \"" + std::u16string(kFile) + u"\". Access is denied");
}

TEST_F(ksProfileTest, RestoreToDefaultCallsOnlyAnAssignedHandlerWithTheStream) {
  FProfile->Write("abc", 3);
  FProfile->RestoreToDefault();
  EXPECT_EQ(FProfile->Stream(), (TByteVector{'a', 'b', 'c'}));

  FProfile->SetOnRestoreToDefault(
      TksProfileOnRestoreToDefault(u"Defaults", [](TksProfileStream& AStream) { AStream[1] = 'X'; }));
  EXPECT_EQ(FProfile->OnRestoreToDefault().HandlerName(), u"Defaults");
  FProfile->RestoreToDefault();
  EXPECT_EQ(FProfile->Stream(), (TByteVector{'a', 'X', 'c'}));
}

}  // namespace
}  // namespace vd
