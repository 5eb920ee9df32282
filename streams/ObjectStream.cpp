#include "streams/ObjectStream.h"

#include <cstring>

#include "base/Errors.h"
#include "base/Strings.h"
#include "streams/Extended.h"

namespace vd {

bool TStreamValue::operator==(const TStreamValue& other) const {
  return Type == other.Type && Integer == other.Integer && Bytes == other.Bytes && List == other.List &&
         Items == other.Items;
}

namespace {

template <typename T>
T LoadRaw(const std::string& bytes) {
  T value{};
  if (bytes.size() == sizeof(T)) std::memcpy(&value, bytes.data(), sizeof(T));
  return value;
}

bool IsValidUtf16(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace

TStreamValue MakeIntegerValue(std::int64_t value) {
  TStreamValue v;
  v.Type = value >= -128 && value <= 127              ? TValueType::vaInt8
           : value >= -32768 && value <= 32767        ? TValueType::vaInt16
           : value >= INT32_MIN && value <= INT32_MAX ? TValueType::vaInt32
                                                      : TValueType::vaInt64;
  v.Integer = value;
  return v;
}

TStreamValue MakeFloatValue(double value) {
  TStreamValue v;
  v.Type = TValueType::vaExtended;
  const TExtendedBytes bytes = DoubleToExtended(value);
  v.Bytes.assign(bytes.begin(), bytes.end());
  return v;
}

TStreamValue MakeBooleanValue(bool value) {
  TStreamValue v;
  v.Type = value ? TValueType::vaTrue : TValueType::vaFalse;
  return v;
}

TStreamValue MakeIdentValue(std::string name) {
  TStreamValue v;
  v.Type = TValueType::vaIdent;
  v.Bytes = std::move(name);
  return v;
}

TValueType ChooseStringType(const std::u16string& text) {
  if (!IsValidUtf16(text)) return TValueType::vaWString;
  const std::string utf8 = ToUtf8(text);
  if (utf8.size() >= 2 * text.size()) return TValueType::vaWString;
  for (const char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x80) return TValueType::vaUTF8String;
  return utf8.size() <= 255 ? TValueType::vaString : TValueType::vaLString;
}

TStreamValue MakeStringValue(const std::u16string& text) { return MakeStringValueAs(ChooseStringType(text), text); }

TStreamValue MakeStringValueAs(TValueType type, const std::u16string& text) {
  TStreamValue v;
  v.Type = type;
  switch (type) {
    case TValueType::vaWString:
      for (const char16_t c : text) {
        v.Bytes += static_cast<char>(c & 0xFF);
        v.Bytes += static_cast<char>(c >> 8);
      }
      break;
    case TValueType::vaUTF8String:
      v.Bytes = ToUtf8(text);
      break;
    default:
      v.Bytes = ToShortString(text);
      break;
  }
  return v;
}

TStreamValue MakeBinaryValue(std::span<const std::uint8_t> bytes) {
  TStreamValue v;
  v.Type = TValueType::vaBinary;
  v.Bytes.assign(bytes.begin(), bytes.end());
  return v;
}

TStreamValue MakeSetValue(const std::vector<std::string>& elements) {
  TStreamValue v;
  v.Type = TValueType::vaSet;
  for (const std::string& element : elements) v.List.push_back(MakeIdentValue(element));
  return v;
}

bool IsIntegerType(TValueType type) {
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32 ||
         type == TValueType::vaInt64;
}

bool IsFloatType(TValueType type) {
  return type == TValueType::vaExtended || type == TValueType::vaSingle || type == TValueType::vaDouble ||
         type == TValueType::vaDate || type == TValueType::vaCurrency;
}

bool IsStringType(TValueType type) {
  return type == TValueType::vaString || type == TValueType::vaLString || type == TValueType::vaWString ||
         type == TValueType::vaUTF8String;
}

double FloatValue(const TStreamValue& value) {
  switch (value.Type) {
    case TValueType::vaExtended: {
      TExtendedBytes bytes{};
      if (value.Bytes.size() == bytes.size()) std::memcpy(bytes.data(), value.Bytes.data(), bytes.size());
      return ExtendedToDouble(bytes);
    }
    case TValueType::vaSingle:
      return LoadRaw<float>(value.Bytes);
    case TValueType::vaDouble:
    case TValueType::vaDate:
      return LoadRaw<double>(value.Bytes);
    case TValueType::vaCurrency:
      return static_cast<double>(value.Integer) / 10000.0;
    default:
      return static_cast<double>(value.Integer);
  }
}

std::u16string StringValue(const TStreamValue& value) {
  switch (value.Type) {
    case TValueType::vaWString: {
      std::u16string text;
      for (std::size_t i = 0; i + 1 < value.Bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(value.Bytes[i]) |
                                      (static_cast<unsigned char>(value.Bytes[i + 1]) << 8));
      return text;
    }
    case TValueType::vaUTF8String:
      return FromUtf8(value.Bytes);
    default:
      return FromShortString(value.Bytes);
  }
}

std::u16string FromShortString(const std::string& name) {
  std::u16string out;
  out.reserve(name.size());
  for (const char c : name) out += static_cast<char16_t>(static_cast<unsigned char>(c));
  return out;
}

std::string ToShortString(std::u16string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char16_t c : name) {
    if (c > 0xFF) throw EWriteError(Format(u"Invalid 8-bit text '%s'", {name}));
    out += static_cast<char>(c);
  }
  return out;
}

}  // namespace vd
