#pragma once
// The mouse's vendor HID collection and the format of its reports, decided without the
// operating system: which collection is the mouse's, how a completed read becomes a report
// (report ID, data, size), and the button masks of its button report. What a report means to
// the monitor is decided in app/MouseEvents.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "hid/UsageAndPage.h"

namespace vd {

// The mouse's vendor collection.
inline constexpr USAGE_AND_PAGE HID_USAGE_AND_PAGE_MOUSE{0x0001, 0xFFA0};

// The mouse keeps this many profiles, 0..4; its profile report names one of them.
inline constexpr int MouseProfileCount = 5;

// The reports the monitor acts upon, the button report and the profile report; both carry
// this many data bytes after the report ID.
inline constexpr std::uint8_t ButtonReportID = 0x07;
inline constexpr std::uint8_t ProfileReportID = 0x08;
inline constexpr std::uint16_t MouseReportDataSize = 7;

// Entry j: report identifier 0x07, then a 24-bit little-endian mask with only bit j set.
inline constexpr std::array<std::array<std::uint8_t, 4>, 24> KeyIndexTable = [] {
  std::array<std::array<std::uint8_t, 4>, 24> table{};
  for (int j = 0; j < 24; ++j) {
    table[j][0] = ButtonReportID;
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

}  // namespace vd
