#include "app/SharedConstants.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

TEST(SharedConstantsTest, KeyIndexTableHasOneBitPerEntryInReportByteOrder) {
  const std::array<std::uint8_t, 4> expected[] = {
      {0x07, 0x01, 0x00, 0x00},  // 0
      {0x07, 0x80, 0x00, 0x00},  // 7
      {0x07, 0x00, 0x01, 0x00},  // 8
      {0x07, 0x00, 0x80, 0x00},  // 15
      {0x07, 0x00, 0x00, 0x01},  // 16
      {0x07, 0x00, 0x00, 0x20},  // 21
      {0x07, 0x00, 0x00, 0x80},  // 23
  };
  const int index[] = {0, 7, 8, 15, 16, 21, 23};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(KeyIndexTable[index[i]], expected[i]) << "entry " << index[i];
  for (int j = 0; j < 24; ++j) {
    const std::uint32_t mask = KeyIndexTable[j][1] | (KeyIndexTable[j][2] << 8) | (KeyIndexTable[j][3] << 16);
    EXPECT_EQ(mask, 1u << j) << "entry " << j;
  }
}

TEST(SharedConstantsTest, DefaultFunctionTableMatchesTheConfiguratorsTable) {
  // Function index, type, code, as the configurator assigns them.
  const int expected[37][3] = {
      {0, 1, 1},      {1, 2, 2},      {2, 3, 3},      {3, 5, 4},      {4, 4, 5},      {5, 16, 6},     {6, 15, 7},
      {7, 15, 801},   {8, 15, 802},   {9, 15, 803},   {10, 15, 804},  {11, 15, 805},  {12, 15, 806},  {13, 15, 807},
      {14, 15, 808},  {15, 15, 901},  {16, 15, 902},  {17, 15, 903},  {18, 15, 904},  {19, 15, 905},  {20, 15, 906},
      {21, 14, 1001}, {22, 14, 1002}, {23, 14, 1003}, {24, 14, 1004}, {25, 14, 1005}, {26, 14, 1006}, {27, 14, 1007},
      {28, 19, 1008}, {29, 14, 1009}, {30, 17, 11},   {31, 18, 12},   {32, 8, 13},    {33, 10, 14},   {34, 9, 15},
      {35, 13, 16},   {36, 14, 17},
  };
  for (int i = 0; i < 37; ++i) {
    EXPECT_EQ(DefaultFunctionTable[i].Index, expected[i][0]) << "row " << i;
    EXPECT_EQ(DefaultFunctionTable[i].Type, expected[i][1]) << "row " << i;
    EXPECT_EQ(DefaultFunctionTable[i].Code, expected[i][2]) << "row " << i;
  }
  EXPECT_EQ(DefaultFunctionTable[FunctionIndexMicrophoneMute].Type, 19);
}

TEST(SharedConstantsTest, MouseUsagePairIsZeroUntilSetAndPacksUsageLow) {
  EXPECT_EQ(HID_USAGE_AND_PAGE_MOUSE.AsUInt32(), 0u);
  EXPECT_EQ((USAGE_AND_PAGE{0x0001, 0xFFA0}.AsUInt32()), 0xFFA00001u);
}

TEST(SharedConstantsTest, NewProfileUidHoldsTheLocalDateTime) {
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
