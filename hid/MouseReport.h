#pragma once
// The mouse's vendor HID collection and the reports it sends, decided without the operating
// system: how a completed read becomes a report (report ID, data, size), and what a report
// means.
//
// Report 0x07: a 24-bit little-endian button mask with exactly one bit j set (button j was
// pressed). Report 0x08: 0x01 followed by a profile index 0..4 (the mouse switched to that
// profile). Both carry 7 data bytes; everything else means nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "hid/UsageAndPage.h"

namespace vd {

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

struct TReportView {
  std::uint8_t ReportID;
  const std::uint8_t* Data;  // the bytes after the report ID, inside the read buffer
  std::uint16_t Size;
};

// The report that a read of `bytesRead` bytes left in a buffer of `length` bytes: byte 0 is
// the report ID, the rest is its data. A count beyond the buffer is cut to the buffer, so
// that a handler never reads past it; an empty read holds no report.
std::optional<TReportView> ViewOfReport(const std::uint8_t* buffer, std::size_t length, std::uint32_t bytesRead);

// What a mouse report says: button `Index` (0..23) was pressed, or the mouse switched to
// profile `Index` (0..4).
struct TMouseReport {
  enum class TKind { ButtonPressed, ProfileSwitched };
  TKind Kind;
  std::uint32_t Index;
};

// Nothing for a report that does not match the formats above.
std::optional<TMouseReport> DecodeMouseReport(std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size);

}  // namespace vd
