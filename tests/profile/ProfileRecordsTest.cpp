#include "profile/ProfileRecords.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/profile/ProfileTestSupport.h"

namespace vd {
namespace {

using testing::BytesOf;
using testing::RecordOf;
using testing::TByteVector;

std::uint32_t U32At(const TByteVector& bytes, std::size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::uint16_t U16At(const TByteVector& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

TEST(ProfileRecordsTest, AProfileSerialisesWithItsFieldsAtTheSharedOffsets) {
  auto profile = RecordOf<TMouseProfileInfo>();
  profile->ProfileHeader.FFileVersion = 259;
  profile->ConfigInfo.ButtonCount = 0x11223344;
  profile->ConfigInfo.ReportRate = 0x5566;
  profile->ConfigInfo.LEDConfig.R = 0x77;
  profile->MacroKeyInfoList.nMacroInfoCount = 0x8899;
  profile->OtherConfig.ShowNumLock = 0x0A0B0C0D;
  profile->ConfigInfo.ButtonFuncInfo[3].nFunctionIndex = 28;
  profile->ConfigInfo.ButtonFuncInfo[3].FunctionGroup = 4;
  profile->ConfigInfo.ButtonFuncInfo[14].nFunctionIndex = 0xABCD;

  const TByteVector bytes = BytesOf(*profile);
  ASSERT_EQ(bytes.size(), 120256u);
  EXPECT_EQ(U32At(bytes, 0), 259u);
  EXPECT_EQ(U32At(bytes, 85336), 0x11223344u);
  EXPECT_EQ(U16At(bytes, 74912), 0x5566);
  EXPECT_EQ(bytes[85326], 0x77);
  EXPECT_EQ(U16At(bytes, 115760), 0x8899);
  EXPECT_EQ(U32At(bytes, 120228), 0x0A0B0C0Du);
  EXPECT_EQ(U16At(bytes, 16438), 28);
  EXPECT_EQ(bytes[16440], 4);
  EXPECT_EQ(U16At(bytes, 4750 + 3896 * 14), 0xABCD);
}

TEST(ProfileRecordsTest, SettingRecordsSerialiseWithTheirFieldsAtTheSharedOffsets) {
  auto group = RecordOf<TProfileSettingGroup>();
  group->CurrentProfileGroup = 1;
  group->ProfileIndexOfProfileGroup[1] = 4;
  SetFieldText(group->ProfileSettingList[2].FileName, u"AB");
  group->ProfileSettingList[4].StorageKind = StorageKindFile;
  const TByteVector groupBytes = BytesOf(*group);
  ASSERT_EQ(groupBytes.size(), 30964u);
  EXPECT_EQ(U32At(groupBytes, 0), 1u);
  EXPECT_EQ(U32At(groupBytes, 8), 4u);
  EXPECT_EQ(U16At(groupBytes, 16490), u'A');
  EXPECT_EQ(U16At(groupBytes, 16492), u'B');
  EXPECT_EQ(U16At(groupBytes, 16494), 0);
  EXPECT_EQ(groupBytes[12 + 4 * 6190 + 6188], StorageKindFile);

  auto all = RecordOf<TALLGAMESINFO>();
  all->CurrentGame = 3;
  all->CurrentLanguage = 2;
  const TByteVector allBytes = BytesOf(*all);
  ASSERT_EQ(allBytes.size(), 30954u);
  EXPECT_EQ(U16At(allBytes, 30950), 3);
  EXPECT_EQ(allBytes[30952], 2);
}

TEST(ProfileRecordsTest, AFileNameOfTwentyCharactersFitsWithItsTerminator) {
  auto entry = RecordOf<TPROFILE_SETTING>();
  const std::u16string twenty = u"ABCDEFGHIJKLMNOPQRST";
  SetFieldText(entry->FileName, twenty);
  EXPECT_EQ(entry->FileName[19], u'T');
  EXPECT_EQ(entry->FileName[20], u'\0');
  EXPECT_EQ(FieldText(entry->FileName), twenty);

  EXPECT_THROW(SetFieldText(entry->FileName, twenty + u"U"), ERangeError);
  EXPECT_EQ(FieldText(entry->FileName), twenty);  // unchanged

  // A stored field without a terminator (written by something else) reads as its 21 units.
  entry->FileName[20] = u'U';
  entry->MacroPath[0] = u'y';
  EXPECT_EQ(FieldText(entry->FileName), twenty + u"U");
}

}  // namespace
}  // namespace vd
