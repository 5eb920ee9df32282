#include "app/LogFormat.h"

#include <cstdio>

#include "base/Strings.h"

namespace vd {

std::string FormatLogLine(const TLogTime& time, std::u16string_view event) {
  std::u16string text(event.substr(0, kLogEventLength));
  // A cut between the halves of a surrogate pair would leave half a character.
  if (event.size() > kLogEventLength && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  for (char16_t& c : text)
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029) c = u' ';
  if (event.size() > kLogEventLength) text += u"...";
  char stamp[96];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", time.Year, time.Month, time.Day, time.Hour,
                time.Minute, time.Second, time.Millisecond);
  return stamp + ToUtf8(text) + "\r\n";
}

bool LogFileFull(std::uint64_t fileSize, std::size_t lineSize) {
  return fileSize > 0 && fileSize + lineSize > kLogFileLimit;
}

}  // namespace vd
