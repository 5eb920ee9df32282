#include <gtest/gtest.h>

#include <string>

#include "base/Strings.h"
#include "hid/HardwareIds.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

class IncludeHidDeviceListTest : public ::testing::Test {
protected:
  void WriteConfig(const std::string& text) {
    FSystem.Files.AddFile(FSystem.Files.FProgramFolder + u"config.ini", text);
  }
  platform::TMemoryPlatform FSystem;
};

TEST_F(IncludeHidDeviceListTest, MissingFileOrSectionGivesAnEmptyList) {
  EXPECT_TRUE(ReadIncludeHidDeviceList().empty());
  WriteConfig("[Other]\nid1=HID\\VID_1234&PID_5678\n");
  EXPECT_TRUE(ReadIncludeHidDeviceList().empty());
}

TEST_F(IncludeHidDeviceListTest, ReadingStopsAtTheFirstMissingKey) {
  WriteConfig("[IncludeHIDDeviceList]\nid1=HID\\VID_1234&PID_5678&MI_01&Col02\nid3=HID\\VID_AAAA\n");
  EXPECT_EQ(ReadIncludeHidDeviceList(), (std::vector<std::u16string>{u"HID\\VID_1234&PID_5678&MI_01&Col02"}));
}

TEST_F(IncludeHidDeviceListTest, ReadingStopsAtTheFirstEmptyValue) {
  WriteConfig("[includehiddevicelist]\r\nID1 = first \r\nid2=\"second\"\r\nid3=\r\nid4=fourth\r\n");
  EXPECT_EQ(ReadIncludeHidDeviceList(), (std::vector<std::u16string>{u"first", u"second"}));
}

TEST_F(IncludeHidDeviceListTest, AtMost101EntriesAreRead) {
  std::string text = "[IncludeHIDDeviceList]\n";
  for (int n = 1; n <= 120; ++n) text += "id" + std::to_string(n) + "=device" + std::to_string(n) + "\n";
  WriteConfig(text);
  const auto list = ReadIncludeHidDeviceList();
  ASSERT_EQ(list.size(), 101u);
  EXPECT_EQ(list.front(), u"device1");
  EXPECT_EQ(list.back(), u"device101");
}

}  // namespace
}  // namespace vd
