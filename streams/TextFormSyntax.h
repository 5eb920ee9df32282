#pragma once
// The words, names and number forms of the text form, shared by its writer and its parser
// (core/TextObjectStream.h describes the syntax).

#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "streams/ObjectStream.h"

namespace vd::text_form {

// Tags that a value marks with their name, in the form Name(value).
struct TTagName {
  std::string_view Name;
  TValueType Type;
};
inline constexpr TTagName kTagNames[] = {
    {"Int8", TValueType::vaInt8},
    {"Int16", TValueType::vaInt16},
    {"Int32", TValueType::vaInt32},
    {"Int64", TValueType::vaInt64},
    {"Single", TValueType::vaSingle},
    {"Double", TValueType::vaDouble},
    {"Extended", TValueType::vaExtended},
    {"Currency", TValueType::vaCurrency},
    {"Date", TValueType::vaDate},
    {"String", TValueType::vaString},
    {"LString", TValueType::vaLString},
    {"WString", TValueType::vaWString},
    {"UTF8String", TValueType::vaUTF8String},
    {"Ident", TValueType::vaIdent},
};
inline constexpr std::string_view kFileInclude = "File";
inline constexpr std::string_view kFormInclude = "Form";

bool SameAscii(std::string_view a, std::string_view b);
bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words);
// Words that end a property list, so a property of that name is quoted.
bool IsStructureWord(std::string_view word);
// Words that stand for a value (True, False, nil, Null), so an identifier of that name is marked.
bool IsValueWord(std::string_view word);
// Tag names and File/Form: followed by '(' they mark a value.
bool IsCastName(std::string_view word);
std::string_view TagName(TValueType type);

inline bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Letters, digits and underscores, not starting with a digit, with single dots between parts.
bool IsIdentifier(std::string_view text);
bool IsValidUtf8(std::string_view bytes);

// The shortest text that reads back as the same number; always with a '.' or an exponent,
// so that it reads as a float.
template <typename T>
std::string FormatFloat(T value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

template <typename T>
bool ParseFloat(std::string_view text, T& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Payload bytes of float tags.
std::string ExtendedBytes(double value);
template <typename T>
std::string RawBytes(T value) {
  std::string bytes(sizeof(T), '\0');
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

// The exact decimal form of a currency value (the integer holds the value times 10000),
// and back; at most four decimals.
std::string FormatCurrency(std::int64_t value);
bool ParseCurrency(std::string_view text, std::int64_t& value);

}  // namespace vd::text_form
