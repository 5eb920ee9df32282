#pragma once
// Helpers for the UTF-16 strings that the whole system uses.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vd {

std::string ToUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

std::u16string IntToStr(std::int64_t value);
// Upper-case hexadecimal, zero-padded to at least `digits` digits.
std::u16string IntToHex(std::uint64_t value, int digits);

// Replaces each "%s" or "%d" of the pattern, in order, by the next argument ("%%" gives "%").
std::u16string Format(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);

// ASCII-only case folding, as the framework's names (classes, properties, components) need.
char16_t AsciiLower(char16_t c);
bool SameTextAscii(std::u16string_view a, std::u16string_view b);

}  // namespace vd
