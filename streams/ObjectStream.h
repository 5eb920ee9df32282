#pragma once
// The object stream ("TPF0" and one object) held as a tree: every value keeps the tag and
// the payload bytes it was stored with, so a stream read into the tree and written back out
// gives the same bytes, and the text form can show exactly what a writer chose.
//
// Layout (little-endian): "TPF0", then an object: an optional prefix byte 0xF0 + flags
// (with ffChildPos an integer value follows it), the class name and the object name as
// short strings (a length byte, then 8-bit characters), properties (a short-string name and
// a value each) ended by a zero byte, child objects ended by a zero byte.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vd {

enum class TValueType : std::uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble,
};
constexpr int kValueTypeCount = 22;

// Prefix flags of an object header.
enum TFilerFlag : std::uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

struct TStreamItem;

struct TStreamValue {
  TValueType Type = TValueType::vaNull;
  // vaInt8..vaInt64 and vaCurrency (the value times 10000).
  std::int64_t Integer = 0;
  // The payload bytes of every other tag that has one: 8-bit and UTF-8 strings, identifiers,
  // binary data, the raw bytes of vaSingle, vaDouble, vaDate and vaExtended, and the UTF-16
  // units of vaWString (little-endian).
  std::string Bytes;
  // vaList: the values; vaSet: the element names as vaIdent values.
  std::vector<TStreamValue> List;
  // vaCollection: the items.
  std::vector<TStreamItem> Items;

  bool operator==(const TStreamValue&) const;
};

struct TStreamProperty {
  std::string Name;  // dotted for properties of nested objects ("Padding.Rect")
  TStreamValue Value;
  bool operator==(const TStreamProperty&) const = default;
};

struct TStreamItem {
  std::optional<TStreamValue> Index;  // an integer value, when the writer gave one
  std::vector<TStreamProperty> Properties;
  bool operator==(const TStreamItem&) const = default;
};

struct TStreamObject {
  // 0 when the header has no prefix byte, otherwise the byte itself (0xF0 + flags).
  std::uint8_t Prefix = 0;
  std::optional<TStreamValue> ChildPos;  // present exactly when the flags hold ffChildPos
  std::string ClassName;
  std::string Name;
  std::vector<TStreamProperty> Properties;
  std::vector<TStreamObject> Children;
  bool operator==(const TStreamObject&) const = default;
};

// Deeper nesting of objects, lists and collections is refused by the readers.
constexpr int kMaxStreamNesting = 100;

// Value constructors that use the tags our writer chooses.
TStreamValue MakeIntegerValue(std::int64_t value);  // the smallest of vaInt8, vaInt16, vaInt32, vaInt64
TStreamValue MakeFloatValue(double value);          // vaExtended
TStreamValue MakeBooleanValue(bool value);
TStreamValue MakeIdentValue(std::string name);
TStreamValue MakeStringValue(const std::u16string& text);  // see ChooseStringType
TStreamValue MakeBinaryValue(std::span<const std::uint8_t> bytes);
TStreamValue MakeSetValue(const std::vector<std::string>& elements);

// The string tag our writer chooses: vaWString when the UTF-8 form is not shorter than
// twice the UTF-16 length (or the text is not valid UTF-16, which UTF-8 cannot carry),
// otherwise vaUTF8String when any UTF-8 byte is 0x80 or above, otherwise vaString up to 255
// characters and vaLString above.
TValueType ChooseStringType(const std::u16string& text);
// A string value of the given string tag. The 8-bit tags need characters up to U+00FF.
TStreamValue MakeStringValueAs(TValueType type, const std::u16string& text);

bool IsIntegerType(TValueType type);
bool IsFloatType(TValueType type);
bool IsStringType(TValueType type);

// The value as a number; only for integer tags (IsIntegerType) and float tags (IsFloatType)
// respectively. Currency counts as a float.
double FloatValue(const TStreamValue& value);
// The text of a string tag (8-bit characters widened, UTF-8 decoded).
std::u16string StringValue(const TStreamValue& value);

// 8-bit names (class, object and property names, identifiers) to and from UTF-16, one
// character per byte. ToShortString raises EWriteError for characters above U+00FF.
std::u16string FromShortString(const std::string& name);
std::string ToShortString(std::u16string_view name);

}  // namespace vd
