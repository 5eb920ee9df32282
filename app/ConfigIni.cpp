#include "app/ConfigIni.h"

#include "platform/Platform.h"
#include "streams/Strings.h"

namespace vd {

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
