#include "base/Strings.h"

namespace vd {

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(text[i + k]);
      if ((cont & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (valid && (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
    if (!valid) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::u16string IntToStr(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string IntToHex(std::uint64_t value, int digits) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string out;
  do {
    out.insert(out.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < digits) out.insert(out.begin(), u'0');
  return out;
}

std::u16string Format(std::u16string_view pattern, std::initializer_list<std::u16string_view> args) {
  std::u16string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size()) {
      const char16_t directive = pattern[i + 1];
      if (directive == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      if ((directive == u's' || directive == u'd') && next != args.end()) {
        out += *next++;
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool SameTextAscii(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace vd
