#include "streams/TextFormSyntax.h"

#include "base/Strings.h"
#include "streams/Extended.h"

namespace vd::text_form {

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (SameAscii(word, w)) return true;
  return false;
}

bool IsStructureWord(std::string_view word) { return IsOneOf(word, {"object", "inherited", "inline", "end"}); }

bool IsValueWord(std::string_view word) { return IsOneOf(word, {"True", "False", "nil", "Null"}); }

bool IsCastName(std::string_view word) {
  if (SameAscii(word, kFileInclude) || SameAscii(word, kFormInclude)) return true;
  for (const TTagName& tag : kTagNames)
    if (SameAscii(word, tag.Name)) return true;
  return false;
}

bool IsIdentifier(std::string_view text) {
  bool partStart = true;
  for (const char c : text) {
    if (c == '.') {
      if (partStart) return false;
      partStart = true;
    } else if (partStart ? IsIdentStart(c) : IsIdentChar(c)) {
      partStart = false;
    } else {
      return false;
    }
  }
  return !partStart;
}

bool IsValidUtf8(std::string_view bytes) { return ToUtf8(FromUtf8(bytes)) == bytes; }

std::string_view TagName(TValueType type) {
  for (const TTagName& tag : kTagNames)
    if (tag.Type == type) return tag.Name;
  return {};
}

std::string ExtendedBytes(double value) {
  const TExtendedBytes bytes = DoubleToExtended(value);
  return std::string(bytes.begin(), bytes.end());
}

std::string FormatCurrency(std::int64_t value) {
  const bool negative = value < 0;
  const std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  std::string text(negative ? "-" : "");
  text += std::to_string(magnitude / 10000);
  text += '.';
  text += fraction;
  return text;
}

bool ParseCurrency(std::string_view text, std::int64_t& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() || fraction.size() > 4) return false;
  std::uint64_t magnitude = 0;
  for (const char c : whole) {
    if (!IsDigit(c) || magnitude > (UINT64_MAX - 9) / 10) return false;
    magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
  }
  for (std::size_t i = 0; i < 4; ++i) {
    const unsigned digit = i < fraction.size() ? static_cast<unsigned>(fraction[i] - '0') : 0;
    if (i < fraction.size() && !IsDigit(fraction[i])) return false;
    if (magnitude > (UINT64_MAX - 9) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  if (magnitude > limit) return false;
  value = negative ? static_cast<std::int64_t>(~magnitude + 1) : static_cast<std::int64_t>(magnitude);
  return true;
}

}  // namespace vd::text_form
