#include "base/Strings.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd::platform {

namespace {

std::u16string Decode(const TBytes& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
  }
  std::string_view utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  return FromUtf8(utf8);
}

std::u16string_view Trim(std::u16string_view text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::u16string TMemoryIniFiles::ReadString(std::u16string_view file, std::u16string_view section,
                                           std::u16string_view key, std::u16string_view defaultValue) {
  const TBytes* bytes = FFiles.File(file);
  if (!bytes) return std::u16string(defaultValue);
  const std::u16string text = Decode(*bytes);
  bool inSection = false;
  bool sectionSeen = false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string_view line = Trim(std::u16string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      const std::size_t close = line.find(u']');
      const std::u16string_view name = Trim(line.substr(1, close == std::u16string_view::npos ? line.npos : close - 1));
      // The first section of a name is the one read.
      if (inSection) sectionSeen = true;
      inSection = !sectionSeen && SameTextAscii(name, section);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find(u'=');
    if (!SameTextAscii(Trim(line.substr(0, equals)), key)) continue;
    std::u16string_view value =
        equals == std::u16string_view::npos ? std::u16string_view() : Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::u16string(value);
  }
  return std::u16string(defaultValue);
}

}  // namespace vd::platform
