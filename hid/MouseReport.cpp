#include "hid/MouseReport.h"

#include <algorithm>
#include <limits>

namespace vd {

namespace {

constexpr std::uint8_t kButtonReportID = 0x07;
constexpr std::uint8_t kProfileReportID = 0x08;
constexpr std::uint16_t kReportDataSize = 7;
constexpr std::uint8_t kProfileCount = 5;

}  // namespace

USAGE_AND_PAGE HID_USAGE_AND_PAGE_MOUSE;

std::optional<TReportView> ViewOfReport(const std::uint8_t* buffer, std::size_t length, std::uint32_t bytesRead) {
  const std::size_t count = std::min<std::size_t>(bytesRead, length);
  if (count == 0) return std::nullopt;
  const std::size_t size = std::min<std::size_t>(count - 1, std::numeric_limits<std::uint16_t>::max());
  return TReportView{buffer[0], buffer + 1, static_cast<std::uint16_t>(size)};
}

std::optional<TMouseReport> DecodeMouseReport(std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size) {
  if (size != kReportDataSize || !data) return std::nullopt;
  if (reportId == kButtonReportID) {
    for (std::uint32_t j = 0; j < KeyIndexTable.size(); ++j) {
      const auto& entry = KeyIndexTable[j];
      if (data[0] == entry[1] && data[1] == entry[2] && data[2] == entry[3])
        return TMouseReport{TMouseReport::TKind::ButtonPressed, j};
    }
    return std::nullopt;
  }
  if (reportId == kProfileReportID && data[0] == 0x01 && data[1] < kProfileCount)
    return TMouseReport{TMouseReport::TKind::ProfileSwitched, data[1]};
  return std::nullopt;
}

}  // namespace vd
