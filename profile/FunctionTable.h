#pragma once
// The table of functions a button can be assigned, shared with the configurator: what a
// button record stores as its function index.

#include <array>
#include <cstdint>

namespace vd {

struct TFunctionTableRow {
  std::int32_t Index;
  std::int32_t Type;
  std::int32_t Code;
};

inline constexpr int FunctionIndexMicrophoneMute = 28;

// Row i describes function index i.
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

}  // namespace vd
