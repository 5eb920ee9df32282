#include "app/SharedConstants.h"

#include <cstring>

#include "platform/Platform.h"

namespace vd {

USAGE_AND_PAGE HID_USAGE_AND_PAGE_MOUSE;

void NewProfileUID(std::uint8_t (&uid)[8]) {
  const double now = platform::Platform().Clock->LocalDateTime();
  static_assert(sizeof now == 8);
  std::memcpy(uid, &now, 8);  // both targets are little-endian
}

}  // namespace vd
