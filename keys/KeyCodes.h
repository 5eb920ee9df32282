#pragma once
// Windows virtual-key codes and the HID usage codes the mouse uses for the same keys, and
// the two shortcut tables shared with the configurator, from which default key assignments
// of the profiles are built.

#include <array>
#include <cstdint>
#include <string>

namespace vd {

// HID codes of a key as a profile stores them (6 bytes, little-endian).
struct THID_CODE_INFO {
  std::uint16_t nKeyValue1;  // HID usage code of the first key
  std::uint16_t nKeyValue2;  // of the second key, 0 for none
  std::uint16_t nModifier;   // HID modifier bits: 1 left Ctrl, 2 left Shift, 4 left Alt, 8 left Windows key
};
static_assert(sizeof(THID_CODE_INFO) == 6 && alignof(THID_CODE_INFO) == 2);

// A key combination as a profile stores it (10 bytes, little-endian).
struct TCOMBOKEYINFO {
  std::uint16_t nKeyValue1;     // virtual-key code of the main key
  std::uint16_t nKey1Extended;  // 1 for an extended key
  std::uint16_t nKeyValue2;     // second key, 0 for none
  std::uint16_t nKey2Extended;
  std::uint16_t nModifier;  // 1 Alt, 2 Ctrl, 8 Windows key
};
static_assert(sizeof(TCOMBOKEYINFO) == 10 && alignof(TCOMBOKEYINFO) == 2);

inline constexpr std::int32_t KeyOrdinary = 0xE0;
inline constexpr std::int32_t KeyExtended = 0xE1;

struct TKeyboardInfoTable {
  std::u16string VKName;
  std::int32_t VKCode;    // equals the row's index
  std::int32_t Extended;  // KeyOrdinary or KeyExtended
  std::int32_t HIDCode;   // -1: none
};

using TKeyboardTable = std::array<TKeyboardInfoTable, 255>;

// The key table: the ordinary meaning of every code (the keypad meaning of the navigation
// keys and of Enter), and the extended-key table: the navigation cluster and keypad Enter.
// Both are built on first use and never change after.
const TKeyboardTable& KeyboardInfoTable();
const TKeyboardTable& ExtendedKeyboardInfoTable();

// The HID usage code of a virtual key; `extended` is 0 or 0xE0 for the ordinary key, 1 or
// 0xE1 for the extended one. 0 when the key has none or the code is outside 0..254.
std::uint16_t GetKeyHIDCode(std::int32_t code, std::int32_t extended);

inline constexpr int ShortcutTableRows = 50;

// Rows of the multimedia HID table (play/pause, stop, previous, next, volume up, volume
// down, mute, media select) and of the system-shortcut key table (Alt+Tab, Alt+F4, Win+E,
// Win+R, Win+D, Win+L). An index outside 0..49 leaves `row` as it was.
void GetMultimediaHIDCodeRow(int index, THID_CODE_INFO& row);
void GetSystemShortcutKeyRow(int index, TCOMBOKEYINFO& row);

}  // namespace vd
