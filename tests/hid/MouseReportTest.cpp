// How a read becomes a report, and the mouse's report format.

#include "hid/MouseReport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace vd {
namespace {

TEST(MouseReportTest, TheMouseIsTheVendorCollectionAndTheUsagePacksLow) {
  EXPECT_EQ(HID_USAGE_AND_PAGE_MOUSE.AsUInt32(), 0xFFA00001u);
}

TEST(MouseReportTest, KeyIndexTableHasOneBitPerEntryInReportByteOrder) {
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

TEST(MouseReportTest, AReadBecomesReportIdDataAndSizeInsideItsBuffer) {
  std::array<std::uint8_t, 65> buffer{0x00, 0x11, 0x22};
  // Report ID 0 with 64 data bytes.
  const auto full = ViewOfReport(buffer.data(), buffer.size(), 65);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->ReportID, 0);
  EXPECT_EQ(full->Data, buffer.data() + 1);
  EXPECT_EQ(full->Size, 64);
  buffer[0] = 0x08;
  const auto shortRead = ViewOfReport(buffer.data(), buffer.size(), 2);
  ASSERT_TRUE(shortRead);
  EXPECT_EQ(shortRead->ReportID, 0x08);
  EXPECT_EQ(shortRead->Size, 1);
  EXPECT_EQ(ViewOfReport(buffer.data(), buffer.size(), 1)->Size, 0);
  // A count beyond the buffer stops at the buffer; an empty read or buffer holds no report.
  EXPECT_EQ(ViewOfReport(buffer.data(), 9, 4096)->Size, 8);
  EXPECT_FALSE(ViewOfReport(buffer.data(), buffer.size(), 0));
  EXPECT_FALSE(ViewOfReport(nullptr, 0, 65));
}

}  // namespace
}  // namespace vd
