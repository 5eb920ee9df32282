#include "keys/KeyCodes.h"

#include <vector>

#include "base/Strings.h"

namespace vd {

namespace {

struct TKeyRow {
  std::int32_t Code;
  const char16_t* Name;
  std::int32_t HIDCode;
  std::int32_t Extended;
};

constexpr std::int32_t E0 = KeyOrdinary;
constexpr std::int32_t E1 = KeyExtended;

// Keys whose name and code follow no rule.
constexpr TKeyRow kNamedKeys[] = {
    {0x00, u"VK_NULL", -1, E0},
    {0x01, u"VK_LBUTTON", -1, E0},
    {0x02, u"VK_RBUTTON", -1, E0},
    {0x03, u"VK_CANCEL", -1, E0},
    {0x04, u"VK_MBUTTON", -1, E0},
    {0x08, u"VK_BACK", 0x2A, E0},
    {0x09, u"VK_TAB", 0x2B, E0},
    {0x0C, u"VK_CLEAR", 0x9C, E0},
    {0x0D, u"VK_RETURN", 0x28, E0},
    {0x10, u"VK_SHIFT", -1, E0},
    {0x11, u"VK_CONTROL", -1, E0},
    {0x12, u"VK_MENU", -1, E0},
    {0x13, u"VK_PAUSE", 0x48, E0},
    {0x14, u"VK_CAPITAL", 0x39, E0},
    {0x1B, u"VK_ESCAPE", 0x29, E0},
    {0x20, u"VK_SPACE", 0x2C, E0},
    {0x21, u"VK_PRIOR", 0x61, E0},
    {0x22, u"VK_NEXT", 0x5B, E0},
    {0x23, u"VK_END", 0x59, E0},
    {0x24, u"VK_HOME", 0x5F, E0},
    {0x25, u"VK_LEFT", 0x5C, E0},
    {0x26, u"VK_UP", 0x60, E0},
    {0x27, u"VK_RIGHT", 0x5E, E0},
    {0x28, u"VK_DOWN", 0x5A, E0},
    {0x29, u"VK_SELECT", -1, E0},
    {0x2A, u"VK_PRINT", -1, E0},
    {0x2B, u"VK_EXECUTE", -1, E0},
    {0x2C, u"VK_SNAPSHOT", 0x46, E1},
    {0x2D, u"VK_NUMPAD0_INSERT", 0x62, E0},
    {0x2E, u"VK_DELETE", 0x63, E0},
    {0x2F, u"VK_HELP", -1, E0},
    {0x5B, u"VK_LWIN", 0xE3, E1},
    {0x5C, u"VK_RWIN", 0xE7, E1},
    {0x5D, u"VK_APP", 0x65, E1},
    {0x6A, u"VK_MULTIPLY", 0x55, E0},
    {0x6B, u"VK_ADD", 0x57, E0},
    {0x6C, u"VK_SEPARATOR", 0x97, E0},
    {0x6D, u"VK_SUBTRACT", 0x56, E0},
    {0x6E, u"VK_DECIMAL", 0x63, E0},
    {0x6F, u"VK_DIVIDE", 0x54, E1},
    {0x90, u"VK_NUMLOCK", 0x53, E1},
    {0x91, u"VK_SCROLL", 0x47, E0},
    {0xA0, u"VK_LSHIFT", 0xE1, E0},
    {0xA1, u"VK_RSHIFT", 0xE5, E1},
    {0xA2, u"VK_LCONTROL", 0xE0, E0},
    {0xA3, u"VK_RCONTROL", 0xE4, E1},
    {0xA4, u"VK_LMENU", 0xE2, E0},
    {0xA5, u"VK_RMENU", 0xE6, E1},
    {0xA6, u"VK_BROWSER_BACK", 0x224, E1},
    {0xA7, u"VK_BROWSER_FORWARD", 0x225, E1},
    {0xA8, u"VK_BROWSER_REFRESH", 0x227, E1},
    {0xA9, u"VK_BROWSER_STOP", 0x226, E1},
    {0xAA, u"VK_BROWSER_SEARCH", 0x221, E1},
    {0xAB, u"VK_BROWSER_FAVORITES", 0x22A, E1},
    {0xAC, u"VK_BROWSER_HOME", 0x223, E1},
    {0xAD, u"VK_VOLUME_MUTE", 0xE2, E1},
    {0xAE, u"VK_VOLUME_DOWN", 0xEA, E1},
    {0xAF, u"VK_VOLUME_UP", 0xE9, E1},
    {0xB0, u"VK_MEDIA_NEXT_TRACK", 0xB5, E1},
    {0xB1, u"VK_MEDIA_PREV_TRACK", 0xB6, E1},
    {0xB2, u"VK_MEDIA_STOP", 0xB7, E1},
    {0xB3, u"VK_MEDIA_PLAY_PAUSE", 0xCD, E1},
    {0xB4, u"VK_LAUNCH_MAIL", 0x18A, E1},
    {0xB5, u"VK_LAUNCH_MEDIA_SELECT", 0x183, E1},
    {0xB6, u"VK_LAUNCH_APP1", 0x194, E1},
    {0xB7, u"VK_LAUNCH_APP2", 0x192, E1},
    {0xBA, u"VK_OEM_1", 0x33, E0},
    {0xBB, u"VK_OEM_PLUS", 0x2E, E0},
    {0xBC, u"VK_OEM_COMMA", 0x36, E0},
    {0xBD, u"VK_OEM_MINUS", 0x2D, E0},
    {0xBE, u"VK_OEM_PERIOD", 0x37, E0},
    {0xBF, u"VK_OEM_2", 0x38, E0},
    {0xC0, u"VK_OEM_3", 0x35, E0},
    {0xDB, u"VK_OEM_4", 0x2F, E0},
    {0xDC, u"VK_OEM_5", 0x31, E0},
    {0xDD, u"VK_OEM_6", 0x30, E0},
    {0xDE, u"VK_OEM_7", 0x34, E0},
    {0xDF, u"VK_OEM_8", -1, E0},
    {0xE1, u"VK_OEM_AX", -1, E0},
    {0xE2, u"VK_OEM_102", -1, E0},
};

// The dedicated navigation cluster and keypad Enter.
constexpr TKeyRow kExtendedKeys[] = {
    {0x0D, u"VK_RETURN", 0x58, E1}, {0x21, u"VK_PRIOR", 0x4B, E1},  {0x22, u"VK_NEXT", 0x4E, E1},
    {0x23, u"VK_END", 0x4D, E1},    {0x24, u"VK_HOME", 0x4A, E1},   {0x25, u"VK_LEFT", 0x50, E1},
    {0x26, u"VK_UP", 0x52, E1},     {0x27, u"VK_RIGHT", 0x4F, E1},  {0x28, u"VK_DOWN", 0x51, E1},
    {0x2D, u"VK_INSERT", 0x49, E1}, {0x2E, u"VK_DELETE", 0x4C, E1},
};

// Codes that the key list names "VK_UNDEFINED_" with two digits, unlike the three of the
// table's default rows.
struct TCodeRange {
  std::int32_t First, Last;
};
constexpr TCodeRange kUndefinedKeys[] = {{0x05, 0x07}, {0x0A, 0x0B}, {0x0E, 0x0F}, {0x15, 0x1A}, {0x1C, 0x1F},
                                         {0x3A, 0x40}, {0x5E, 0x5F}, {0x88, 0x8F}, {0x92, 0x9F}, {0xE0, 0xE0}};

TKeyboardTable DefaultTable(std::int32_t extended) {
  TKeyboardTable table;
  for (std::int32_t c = 0; c < static_cast<std::int32_t>(table.size()); ++c)
    table[c] = TKeyboardInfoTable{u"VK_UNDEFINED_" + IntToHex(c, 3), c, extended, -1};
  return table;
}

void Put(TKeyboardTable& table, std::int32_t code, std::u16string name, std::int32_t hidCode,
         std::int32_t extended = E0) {
  table[code] = TKeyboardInfoTable{std::move(name), code, extended, hidCode};
}

TKeyboardTable BuildKeyTable() {
  TKeyboardTable table = DefaultTable(E0);
  for (int n = 0; n <= 9; ++n) {
    const std::u16string digit = IntToStr(n);
    Put(table, 0x30 + n, u"VK_" + digit, n == 0 ? 0x27 : 0x1E + n - 1);
    Put(table, 0x60 + n, u"VK_NUMPAD" + digit, n == 0 ? 0x62 : 0x59 + n - 1);
  }
  for (int n = 0; n < 26; ++n) Put(table, 0x41 + n, u"VK_" + std::u16string(1, char16_t(u'A' + n)), 0x04 + n);
  for (int n = 0; n < 24; ++n) Put(table, 0x70 + n, u"VK_F" + IntToStr(n + 1), n < 12 ? 0x3A + n : 0x68 + n - 12);
  for (const TCodeRange& range : kUndefinedKeys)
    for (std::int32_t c = range.First; c <= range.Last; ++c) Put(table, c, u"VK_UNDEFINED_" + IntToHex(c, 2), -1);
  for (const TKeyRow& row : kNamedKeys) Put(table, row.Code, row.Name, row.HIDCode, row.Extended);
  return table;
}

TKeyboardTable BuildExtendedKeyTable() {
  TKeyboardTable table = DefaultTable(E1);
  for (const TKeyRow& row : kExtendedKeys) Put(table, row.Code, row.Name, row.HIDCode, row.Extended);
  return table;
}

std::vector<THID_CODE_INFO> BuildMultimediaTable() {
  // Virtual keys of the multimedia keys, in row order, converted as extended keys.
  constexpr std::int32_t kKeys[] = {0xB3, 0xB2, 0xB1, 0xB0, 0xAF, 0xAE, 0xAD, 0xB5};
  std::vector<THID_CODE_INFO> table(ShortcutTableRows, THID_CODE_INFO{});
  for (std::size_t row = 0; row < std::size(kKeys); ++row)
    table[row] = THID_CODE_INFO{GetKeyHIDCode(kKeys[row], 1), GetKeyHIDCode(0, 0), 0};
  return table;
}

std::vector<TCOMBOKEYINFO> BuildSystemShortcutTable() {
  constexpr std::uint16_t kAlt = 1, kWin = 8;
  std::vector<TCOMBOKEYINFO> table(ShortcutTableRows, TCOMBOKEYINFO{});
  const TCOMBOKEYINFO rows[] = {{0x09, 0, 0, 0, kAlt}, {0x73, 0, 0, 0, kAlt}, {0x45, 0, 0, 0, kWin},
                                {0x52, 0, 0, 0, kWin}, {0x44, 0, 0, 0, kWin}, {0x4C, 0, 0, 0, kWin}};
  for (std::size_t row = 0; row < std::size(rows); ++row) table[row] = rows[row];
  return table;
}

template <typename TRow>
void CopyRow(const std::vector<TRow>& table, int index, TRow& row) {
  if (index >= 0 && index < static_cast<int>(table.size())) row = table[static_cast<std::size_t>(index)];
}

}  // namespace

const TKeyboardTable& KeyboardInfoTable() {
  static const TKeyboardTable table = BuildKeyTable();
  return table;
}

const TKeyboardTable& ExtendedKeyboardInfoTable() {
  static const TKeyboardTable table = BuildExtendedKeyTable();
  return table;
}

std::uint16_t GetKeyHIDCode(std::int32_t code, std::int32_t extended) {
  if (code < 0 || code > 254) return 0;
  if (extended == KeyOrdinary) extended = 0;
  if (extended == KeyExtended) extended = 1;
  const TKeyboardInfoTable& ordinary = KeyboardInfoTable()[code];
  const TKeyboardInfoTable* row = &ExtendedKeyboardInfoTable()[code];
  // A key that exists only as an extended key keeps its own row for both flags.
  if (extended == 0 || (extended == 1 && ordinary.Extended == KeyExtended)) row = &ordinary;
  return row->HIDCode < 0 ? 0 : static_cast<std::uint16_t>(row->HIDCode);
}

void GetMultimediaHIDCodeRow(int index, THID_CODE_INFO& row) {
  static const std::vector<THID_CODE_INFO> table = BuildMultimediaTable();
  CopyRow(table, index, row);
}

void GetSystemShortcutKeyRow(int index, TCOMBOKEYINFO& row) {
  static const std::vector<TCOMBOKEYINFO> table = BuildSystemShortcutTable();
  CopyRow(table, index, row);
}

}  // namespace vd
