#include "keys/KeyCodes.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(KeyCodesTest, NavigationKeysAndEnterFollowTheExtendedFlag) {
  EXPECT_EQ(GetKeyHIDCode(0x21, 0), 0x61);  // keypad 9 (Page Up with NUM LOCK off)
  EXPECT_EQ(GetKeyHIDCode(0x21, 1), 0x4B);  // the dedicated Page Up
  EXPECT_EQ(GetKeyHIDCode(0x0D, 0), 0x28);
  EXPECT_EQ(GetKeyHIDCode(0x0D, 1), 0x58);
  // The system's own flag values mean the same.
  EXPECT_EQ(GetKeyHIDCode(0x21, 0xE0), 0x61);
  EXPECT_EQ(GetKeyHIDCode(0x21, 0xE1), 0x4B);
  // Any other flag takes the extended-key table.
  EXPECT_EQ(GetKeyHIDCode(0x2D, 7), 0x49);
  EXPECT_EQ(GetKeyHIDCode(0x41, 7), 0);
}

TEST(KeyCodesTest, KeysThatAreOnlyExtendedKeepTheirRowForBothFlags) {
  EXPECT_EQ(GetKeyHIDCode(0xB3, 1), 0xCD);
  EXPECT_EQ(GetKeyHIDCode(0xB3, 0), 0xCD);
  EXPECT_EQ(GetKeyHIDCode(0xA6, 1), 0x224);
  EXPECT_EQ(GetKeyHIDCode(0x5B, 1), 0xE3);
}

TEST(KeyCodesTest, KeysWithoutACodeGiveZero) {
  EXPECT_EQ(GetKeyHIDCode(0x41, 1), 0);  // no extended A: the default row of the extended table
  EXPECT_EQ(GetKeyHIDCode(0xB8, 0), 0);
  EXPECT_EQ(GetKeyHIDCode(0x10, 0), 0);  // VK_SHIFT: -1 in the table
  EXPECT_EQ(GetKeyHIDCode(255, 0), 0);
  EXPECT_EQ(GetKeyHIDCode(-1, 0), 0);
  EXPECT_EQ(GetKeyHIDCode(1000, 1), 0);
}

TEST(KeyCodesTest, RuleRowsOfTheKeyTable) {
  EXPECT_EQ(GetKeyHIDCode(0x30, 0), 0x27);
  EXPECT_EQ(GetKeyHIDCode(0x31, 0), 0x1E);
  EXPECT_EQ(GetKeyHIDCode(0x39, 0), 0x26);
  EXPECT_EQ(GetKeyHIDCode(0x41, 0), 0x04);
  EXPECT_EQ(GetKeyHIDCode(0x5A, 0), 0x1D);
  EXPECT_EQ(GetKeyHIDCode(0x60, 0), 0x62);
  EXPECT_EQ(GetKeyHIDCode(0x61, 0), 0x59);
  EXPECT_EQ(GetKeyHIDCode(0x69, 0), 0x61);
  EXPECT_EQ(GetKeyHIDCode(0x70, 0), 0x3A);
  EXPECT_EQ(GetKeyHIDCode(0x7B, 0), 0x45);
  EXPECT_EQ(GetKeyHIDCode(0x7C, 0), 0x68);
  EXPECT_EQ(GetKeyHIDCode(0x87, 0), 0x73);

  const TKeyboardTable& keys = KeyboardInfoTable();
  EXPECT_EQ(keys[0x30].VKName, u"VK_0");
  EXPECT_EQ(keys[0x5A].VKName, u"VK_Z");
  EXPECT_EQ(keys[0x69].VKName, u"VK_NUMPAD9");
  EXPECT_EQ(keys[0x87].VKName, u"VK_F24");
  EXPECT_EQ(keys[0x2D].VKName, u"VK_NUMPAD0_INSERT");
}

TEST(KeyCodesTest, UndefinedRowsAreNamedWithTwoDigitsInTheListAndThreeElsewhere) {
  const TKeyboardTable& keys = KeyboardInfoTable();
  EXPECT_EQ(keys[0x05].VKName, u"VK_UNDEFINED_05");
  EXPECT_EQ(keys[0x3A].VKName, u"VK_UNDEFINED_3A");
  EXPECT_EQ(keys[0xE0].VKName, u"VK_UNDEFINED_E0");
  EXPECT_EQ(keys[0xB8].VKName, u"VK_UNDEFINED_0B8");
  EXPECT_EQ(keys[0xC1].VKName, u"VK_UNDEFINED_0C1");
  EXPECT_EQ(keys[0xFE].VKName, u"VK_UNDEFINED_0FE");
  EXPECT_EQ(keys[0xE0].HIDCode, -1);

  const TKeyboardTable& extended = ExtendedKeyboardInfoTable();
  EXPECT_EQ(extended[0x05].VKName, u"VK_UNDEFINED_005");
  EXPECT_EQ(extended[0x05].Extended, KeyExtended);
  EXPECT_EQ(extended[0x2D].VKName, u"VK_INSERT");
  int named = 0;
  for (int c = 0; c < 255; ++c) {
    EXPECT_EQ(keys[c].VKCode, c);
    EXPECT_EQ(extended[c].VKCode, c);
    EXPECT_EQ(extended[c].Extended, KeyExtended);
    if (extended[c].HIDCode != -1) ++named;
  }
  EXPECT_EQ(named, 11);
  EXPECT_EQ(keys[0x2C].Extended, KeyExtended);
  EXPECT_EQ(keys[0x2D].Extended, KeyOrdinary);
}

TEST(KeyCodesTest, MultimediaTableHoldsTheConsumerCodesOfTheEightKeys) {
  const std::uint16_t expected[] = {0xCD, 0xB7, 0xB6, 0xB5, 0xE9, 0xEA, 0xE2, 0x183};
  for (int row = 0; row < 8; ++row) {
    THID_CODE_INFO info{1, 1, 1};
    GetMultimediaHIDCodeRow(row, info);
    EXPECT_EQ(info.nKeyValue1, expected[row]) << row;
    EXPECT_EQ(info.nKeyValue2, 0) << row;
    EXPECT_EQ(info.nModifier, 0) << row;
  }
  THID_CODE_INFO empty{1, 2, 3};
  GetMultimediaHIDCodeRow(8, empty);
  EXPECT_EQ(empty.nKeyValue1 | empty.nKeyValue2 | empty.nModifier, 0);
  GetMultimediaHIDCodeRow(49, empty);
  EXPECT_EQ(empty.nKeyValue1, 0);
}

TEST(KeyCodesTest, SystemShortcutTableHoldsTheSixCombinations) {
  const std::uint16_t keys[] = {0x09, 0x73, 0x45, 0x52, 0x44, 0x4C};
  const std::uint16_t modifiers[] = {1, 1, 8, 8, 8, 8};
  for (int row = 0; row < 6; ++row) {
    TCOMBOKEYINFO info{9, 9, 9, 9, 9};
    GetSystemShortcutKeyRow(row, info);
    EXPECT_EQ(info.nKeyValue1, keys[row]) << row;
    EXPECT_EQ(info.nModifier, modifiers[row]) << row;
    EXPECT_EQ(info.nKey1Extended | info.nKeyValue2 | info.nKey2Extended, 0) << row;
  }
  TCOMBOKEYINFO empty{9, 9, 9, 9, 9};
  GetSystemShortcutKeyRow(6, empty);
  EXPECT_EQ(empty.nKeyValue1 | empty.nModifier, 0);
}

TEST(KeyCodesTest, GettersLeaveTheirOutputAloneOutsideTheTable) {
  THID_CODE_INFO info{7, 8, 9};
  GetMultimediaHIDCodeRow(50, info);
  GetMultimediaHIDCodeRow(-1, info);
  EXPECT_EQ(info.nKeyValue1, 7);
  EXPECT_EQ(info.nKeyValue2, 8);
  EXPECT_EQ(info.nModifier, 9);
  TCOMBOKEYINFO combo{1, 2, 3, 4, 5};
  GetSystemShortcutKeyRow(50, combo);
  EXPECT_EQ(combo.nKeyValue1, 1);
  EXPECT_EQ(combo.nModifier, 5);
}

}  // namespace
}  // namespace vd
