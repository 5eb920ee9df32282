#include "hid/HardwareIds.h"

#include <algorithm>

#include "base/Strings.h"
#include "platform/Platform.h"

namespace vd {

std::vector<std::u16string> SplitMultiString(const char16_t* buffer, std::size_t length) {
  std::vector<std::u16string> strings;
  const char16_t* const end = buffer + length;
  const char16_t* start = buffer;
  while (start < end) {
    const char16_t* terminator = std::find(start, end, u'\0');
    if (terminator == end || terminator == start) break;
    strings.emplace_back(start, terminator);
    start = terminator + 1;
  }
  return strings;
}

bool IncludeListAdmits(const std::vector<std::u16string>& includeList, const std::vector<std::u16string>& hardwareIds) {
  if (includeList.empty()) return true;
  return std::any_of(includeList.begin(), includeList.end(), [&](const std::u16string& entry) {
    return std::any_of(hardwareIds.begin(), hardwareIds.end(),
                       [&](const std::u16string& id) { return SameTextAscii(entry, id); });
  });
}

std::vector<std::u16string> ReadIncludeHidDeviceList() {
  const auto& system = platform::Platform();
  const std::u16string file = system.Files->ProgramFolder() + u"config.ini";
  std::vector<std::u16string> list;
  for (int n = 1; n <= 101; ++n) {
    std::u16string id = system.Ini->ReadString(file, u"IncludeHIDDeviceList", u"id" + IntToStr(n), u"");
    if (id.empty()) break;
    list.push_back(std::move(id));
  }
  return list;
}

}  // namespace vd
