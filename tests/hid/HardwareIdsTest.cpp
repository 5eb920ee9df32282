// Hardware-ID multi-strings and the include list of config.ini.

#include "hid/HardwareIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd {
namespace {

using TStrings = std::vector<std::u16string>;

TStrings Split(const std::u16string& buffer) { return SplitMultiString(buffer.data(), buffer.size()); }

TEST(SplitMultiStringTest, TakesEachStringUpToTheFirstEmptyOne) {
  EXPECT_EQ(Split(std::u16string(u"HID\\VID_1&PID_2\0HID_DEVICE\0\0", 28)),
            (TStrings{u"HID\\VID_1&PID_2", u"HID_DEVICE"}));
  // A second empty string ends the list even when more follows it.
  EXPECT_EQ(Split(std::u16string(u"A\0\0B\0\0", 6)), (TStrings{u"A"}));
  EXPECT_EQ(Split(std::u16string(u"\0A\0\0", 4)), TStrings{});
  EXPECT_EQ(Split(std::u16string(16, u'\0')), TStrings{});
  EXPECT_EQ(SplitMultiString(nullptr, 0), TStrings{});
}

TEST(SplitMultiStringTest, NeverReadsPastTheBufferAndLeavesOutAnUnterminatedTail) {
  // Only the first eight units belong to the buffer; the rest would be read by an overrun.
  const std::u16string memory(u"ID_ONE\0ID_TWO_TRUNCATED\0\0", 25);
  EXPECT_EQ(SplitMultiString(memory.data(), 8), (TStrings{u"ID_ONE"}));
  EXPECT_EQ(SplitMultiString(memory.data(), 7), (TStrings{u"ID_ONE"}));
  EXPECT_EQ(SplitMultiString(memory.data(), 6), TStrings{});
  // A buffer filled to the end without any terminator holds no complete string.
  const std::u16string full(16384, u'X');
  EXPECT_EQ(Split(full), TStrings{});
}

TEST(IncludeListTest, AnEntryMatchesAWholeHardwareIdWithoutRegardToCaseAndAnEmptyListEverything) {
  const TStrings ids{u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"};
  EXPECT_TRUE(IncludeListAdmits({}, {}));
  EXPECT_TRUE(IncludeListAdmits({u"USB\\VID_0000", u"hid\\vid_1d57&pid_fa60&mi_01&col02"}, ids));
  // Part of an ID is not the ID, nor is an ID with something more.
  EXPECT_FALSE(IncludeListAdmits({u"VID_1D57&PID_FA60", u"HID\\VID_1D57", u"HID_DEVICE "}, ids));
  EXPECT_FALSE(IncludeListAdmits({u"HID_DEVICE"}, {}));
}

}  // namespace
}  // namespace vd
