#include "profile/ProfileRecords.h"

#include <algorithm>

#include "base/Errors.h"

namespace vd {

void SetFieldText(char16_t* field, std::size_t capacity, std::u16string_view text) {
  if (text.size() >= capacity) throw ERangeError();
  std::copy(text.begin(), text.end(), field);
  std::fill(field + text.size(), field + capacity, u'\0');
}

}  // namespace vd
