#pragma once
// Hardware identifiers of a HID collection, and the include list of config.ini that admits
// devices by them.

#include <cstddef>
#include <string>
#include <vector>

namespace vd {

// The strings of a multi-string buffer: each zero-terminated string in turn, up to the first
// empty one. Reads no further than `length` units; a last string that lacks its terminator
// inside the buffer is incomplete and left out.
std::vector<std::u16string> SplitMultiString(const char16_t* buffer, std::size_t length);

// Whether the include list admits a device with these hardware IDs. An empty list admits
// every device; otherwise an entry must equal one of the IDs as a whole string, without
// regard to case (hardware IDs are plain ASCII, so ASCII case folding is exact).
bool IncludeListAdmits(const std::vector<std::u16string>& includeList, const std::vector<std::u16string>& hardwareIds);

// The include list: hardware identifiers of the devices that may be opened, from config.ini
// beside the executable (section "IncludeHIDDeviceList", keys id1..id101, read until the
// first missing or empty one; the file is never written). Empty admits every device.
std::vector<std::u16string> ReadIncludeHidDeviceList();

}  // namespace vd
