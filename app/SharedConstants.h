#pragma once
// What the monitor shares with its sibling configurator: window, file and title names, the
// usage pair of the mouse's vendor HID collection, the key-index table of the button
// reports, the table of assignable button functions and the time stamp of new profiles.

#include <array>
#include <cstdint>

namespace vd {

inline constexpr char16_t CfgMainClassName[] = u"TVDCfgMain";
inline constexpr char16_t CfgMainCaption[] = u"VD_CONFIG_EX";
inline constexpr char16_t CfgExeName[] = u"VDCfg.exe";
inline constexpr char16_t MonMainClassName[] = u"TVDMonMain";  // also the single-instance mutex
inline constexpr char16_t MonMainCaption[] = u"VD_MONITOR_EX";
inline constexpr char16_t AppTitle[] = u"Vardel Gaming Mouse Monitor";  // translated before use
inline constexpr char16_t TrayHint[] = u"Vardel Gaming Mouse Driver";   // translated before use

// A HID top-level collection.
struct USAGE_AND_PAGE {
  std::uint16_t Usage = 0;
  std::uint16_t UsagePage = 0;

  // The pair as one 32-bit value: usage in the low half, usage page in the high half.
  std::uint32_t AsUInt32() const { return Usage | (static_cast<std::uint32_t>(UsagePage) << 16); }
};

// Zero until the data module sets it to the mouse's vendor collection (0xFFA0/0x0001).
extern USAGE_AND_PAGE HID_USAGE_AND_PAGE_MOUSE;

// Entry j: report identifier 0x07, then a 24-bit little-endian mask with only bit j set.
inline constexpr std::array<std::array<std::uint8_t, 4>, 24> KeyIndexTable = [] {
  std::array<std::array<std::uint8_t, 4>, 24> table{};
  for (int j = 0; j < 24; ++j) {
    table[j][0] = 0x07;
    table[j][1 + j / 8] = static_cast<std::uint8_t>(1 << (j % 8));
  }
  return table;
}();

struct TFunctionTableRow {
  std::int32_t Index;
  std::int32_t Type;
  std::int32_t Code;
};

inline constexpr int FunctionIndexMicrophoneMute = 28;

// Row i describes function index i: what a button record stores as its assigned function.
inline constexpr std::array<TFunctionTableRow, 37> DefaultFunctionTable = [] {
  std::array<TFunctionTableRow, 37> table{};
  const auto set = [&](int i, int type, int code) { table[i] = TFunctionTableRow{i, type, code}; };
  set(0, 1, 1);
  set(1, 2, 2);
  set(2, 3, 3);
  set(3, 5, 4);
  set(4, 4, 5);
  set(5, 16, 6);
  set(6, 15, 7);
  for (int i = 7; i <= 14; ++i) set(i, 15, 801 + (i - 7));
  for (int i = 15; i <= 20; ++i) set(i, 15, 901 + (i - 15));
  for (int i = 21; i <= 27; ++i) set(i, 14, 1001 + (i - 21));
  set(28, 19, 1008);
  set(29, 14, 1009);
  set(30, 17, 11);
  set(31, 18, 12);
  set(32, 8, 13);
  set(33, 10, 14);
  set(34, 9, 15);
  set(35, 13, 16);
  set(36, 14, 17);
  return table;
}();

// Stores the current local date and time as a date-time double (little-endian) into an
// 8-byte profile identity.
void NewProfileUID(std::uint8_t (&uid)[8]);

}  // namespace vd
