// What the HID side reads from devices and the device tree: a hardware-ID multi-string that
// may lack its terminators, matched against an include list, and a completed read whose byte
// count may not fit its buffer. Nothing may be read outside the buffers, and every string and
// report must lie inside them.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "hid/HardwareIds.h"
#include "hid/MouseReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vd;
  if (size < 4) return 0;
  // The first four bytes are the byte count of the read; the rest is the buffer, which is
  // also read as UTF-16 units (an exact-size copy, so any overrun is caught).
  std::uint32_t bytesRead = 0;
  std::memcpy(&bytesRead, data, 4);
  const std::vector<std::uint8_t> buffer(data + 4, data + size);

  if (const auto report = ViewOfReport(buffer.data(), buffer.size(), bytesRead)) {
    if (report->Data != buffer.data() + 1 || report->Size + 1u > buffer.size() || report->Size + 1u > bytesRead)
      std::abort();
    // Every byte a handler may read is read, so that the sanitizer checks it.
    if (report->ReportID != buffer[0] || std::memcmp(report->Data, buffer.data() + 1, report->Size) != 0) std::abort();
  } else if (bytesRead != 0 && !buffer.empty()) {
    std::abort();
  }

  std::vector<char16_t> units(buffer.size() / 2);
  if (!units.empty()) std::memcpy(units.data(), buffer.data(), units.size() * 2);
  const std::vector<std::u16string> strings = SplitMultiString(units.data(), units.size());
  std::size_t used = 0;
  for (const std::u16string& s : strings) {
    if (s.empty() || s.find(u'\0') != std::u16string::npos) std::abort();
    used += s.size() + 1;
  }
  if (used > units.size()) std::abort();
  // Half the strings as the include list, the rest as the hardware IDs.
  const std::vector<std::u16string> includeList(strings.begin(), strings.begin() + strings.size() / 2);
  const std::vector<std::u16string> ids(strings.begin() + strings.size() / 2, strings.end());
  const bool admitted = IncludeListAdmits(includeList, ids);
  if (includeList.empty() && !admitted) std::abort();
  return 0;
}
