#include "hid/MouseReport.h"

#include <algorithm>
#include <limits>

namespace vd {

std::optional<TReportView> ViewOfReport(const std::uint8_t* buffer, std::size_t length, std::uint32_t bytesRead) {
  const std::size_t count = std::min<std::size_t>(bytesRead, length);
  if (count == 0) return std::nullopt;
  const std::size_t size = std::min<std::size_t>(count - 1, std::numeric_limits<std::uint16_t>::max());
  return TReportView{buffer[0], buffer + 1, static_cast<std::uint16_t>(size)};
}

}  // namespace vd
