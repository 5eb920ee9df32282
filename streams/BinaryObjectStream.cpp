#include "streams/BinaryObjectStream.h"

#include <bit>
#include <cstring>

#include "base/Errors.h"
#include "base/Strings.h"

namespace vd {

static_assert(std::endian::native == std::endian::little, "stream payloads are kept in the host's byte order");

namespace {

constexpr std::uint8_t kSignature[4] = {'T', 'P', 'F', '0'};

[[noreturn]] void Truncated() { throw EReadError(u"Stream read error"); }
[[noreturn]] void Malformed() { throw EReadError(u"Invalid stream format"); }

class TBinaryReader {
public:
  explicit TBinaryReader(std::span<const std::uint8_t> data) : FData(data) {}

  std::size_t Position() const { return FPos; }

  void Signature() {
    Need(4);
    if (std::memcmp(FData.data(), kSignature, 4) != 0) Malformed();
    FPos = 4;
  }

  TStreamObject Object(int depth) {
    if (depth > kMaxStreamNesting) throw EReadError(u"Object stream nested too deeply");
    TStreamObject object;
    if ((Peek() & 0xF0) == 0xF0) {
      object.Prefix = Byte();
      if ((object.Prefix & ffChildPos) != 0) {
        object.ChildPos = Value(depth + 1);
        if (!IsChildPosType(object.ChildPos->Type)) Malformed();
      }
    }
    object.ClassName = ShortString();
    object.Name = ShortString();
    while (Peek() != 0) {
      TStreamProperty property;
      property.Name = ShortString();
      property.Value = Value(depth + 1);
      object.Properties.push_back(std::move(property));
    }
    ++FPos;
    while (Peek() != 0) object.Children.push_back(Object(depth + 1));
    ++FPos;
    return object;
  }

private:
  static bool IsChildPosType(TValueType type) {
    return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32;
  }

  void Need(std::size_t count) const {
    if (count > FData.size() - FPos) Truncated();
  }
  std::uint8_t Peek() const {
    Need(1);
    return FData[FPos];
  }
  std::uint8_t Byte() {
    Need(1);
    return FData[FPos++];
  }
  std::string Take(std::size_t count) {
    Need(count);
    std::string out(reinterpret_cast<const char*>(FData.data() + FPos), count);
    FPos += count;
    return out;
  }
  std::int64_t Signed(int size) {
    Need(static_cast<std::size_t>(size));
    std::uint64_t raw = 0;
    for (int i = size - 1; i >= 0; --i) raw = (raw << 8) | FData[FPos + static_cast<std::size_t>(i)];
    FPos += static_cast<std::size_t>(size);
    if (size < 8 && (raw >> (8 * size - 1)) != 0) raw |= ~std::uint64_t{0} << (8 * size);  // sign-extend
    return static_cast<std::int64_t>(raw);
  }
  // A 32-bit length or count; checked against what remains, times the unit size.
  std::size_t Length(std::size_t unit) {
    const std::int64_t length = Signed(4);
    if (length < 0) Malformed();
    if (static_cast<std::uint64_t>(length) > (FData.size() - FPos) / unit) Truncated();
    return static_cast<std::size_t>(length) * unit;
  }
  std::string ShortString() { return Take(Byte()); }

  TStreamValue Value(int depth) {
    if (depth > kMaxStreamNesting) throw EReadError(u"Object stream nested too deeply");
    TStreamValue value;
    const std::uint8_t tag = Byte();
    if (tag >= kValueTypeCount) Malformed();
    value.Type = static_cast<TValueType>(tag);
    switch (value.Type) {
      case TValueType::vaNull:
      case TValueType::vaFalse:
      case TValueType::vaTrue:
      case TValueType::vaNil:
        break;
      case TValueType::vaList:
        while (Peek() != 0) value.List.push_back(Value(depth + 1));
        ++FPos;
        break;
      case TValueType::vaInt8:
        value.Integer = Signed(1);
        break;
      case TValueType::vaInt16:
        value.Integer = Signed(2);
        break;
      case TValueType::vaInt32:
        value.Integer = Signed(4);
        break;
      case TValueType::vaInt64:
      case TValueType::vaCurrency:
        value.Integer = Signed(8);
        break;
      case TValueType::vaExtended:
        value.Bytes = Take(10);
        break;
      case TValueType::vaSingle:
        value.Bytes = Take(4);
        break;
      case TValueType::vaDouble:
      case TValueType::vaDate:
        value.Bytes = Take(8);
        break;
      case TValueType::vaString:
      case TValueType::vaIdent:
        value.Bytes = ShortString();
        break;
      case TValueType::vaLString:
      case TValueType::vaUTF8String:
      case TValueType::vaBinary:
        value.Bytes = Take(Length(1));
        break;
      case TValueType::vaWString:
        value.Bytes = Take(Length(2));
        break;
      case TValueType::vaSet:
        for (std::string element = ShortString(); !element.empty(); element = ShortString())
          value.List.push_back(MakeIdentValue(std::move(element)));
        break;
      case TValueType::vaCollection:
        while (Peek() != 0) {
          TStreamItem item;
          if (Peek() != static_cast<std::uint8_t>(TValueType::vaList)) {
            item.Index = Value(depth + 1);
            if (!IsChildPosType(item.Index->Type)) Malformed();
          }
          if (Byte() != static_cast<std::uint8_t>(TValueType::vaList)) Malformed();
          while (Peek() != 0) {
            TStreamProperty property;
            property.Name = ShortString();
            property.Value = Value(depth + 1);
            item.Properties.push_back(std::move(property));
          }
          ++FPos;
          value.Items.push_back(std::move(item));
        }
        ++FPos;
        break;
    }
    return value;
  }

  std::span<const std::uint8_t> FData;
  std::size_t FPos = 0;
};

class TBinaryWriter {
public:
  std::vector<std::uint8_t> FOut;

  void Object(const TStreamObject& object, bool isRoot) {
    if (object.Prefix != 0) {
      if ((object.Prefix & 0xF0) != 0xF0) Invalid(u"an object prefix must be 0xF0 or above");
      FOut.push_back(object.Prefix);
    }
    const bool hasChildPos = object.Prefix != 0 && (object.Prefix & ffChildPos) != 0;
    if (hasChildPos != object.ChildPos.has_value()) Invalid(u"a child position goes with the ffChildPos flag");
    if (object.ChildPos) {
      CheckIndexValue(*object.ChildPos);
      Value(*object.ChildPos);
    }
    if (object.Prefix == 0 && object.ClassName.size() >= 0xF0) Invalid(u"a class name this long needs a prefix");
    // A child without a prefix needs a class name: a zero byte where it starts ends the list.
    ShortString(object.ClassName, !isRoot && object.Prefix == 0);
    ShortString(object.Name, false);
    Properties(object.Properties);
    for (const TStreamObject& child : object.Children) Object(child, false);
    FOut.push_back(0);
  }

private:
  [[noreturn]] static void Invalid(std::u16string_view why) {
    throw EWriteError(Format(u"Cannot write the object stream: %s", {why}));
  }

  static void CheckIndexValue(const TStreamValue& value) {
    if (value.Type != TValueType::vaInt8 && value.Type != TValueType::vaInt16 && value.Type != TValueType::vaInt32)
      Invalid(u"a position or item index must be an 8, 16 or 32-bit integer");
  }

  void Bytes(const std::string& bytes) { FOut.insert(FOut.end(), bytes.begin(), bytes.end()); }
  void Little(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) FOut.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void Length(std::size_t length) {
    if (length > static_cast<std::size_t>(INT32_MAX)) Invalid(u"a value longer than 2 GB");
    Little(length, 4);
  }
  void ShortString(const std::string& text, bool mustNotBeEmpty) {
    if (text.size() > 255) Invalid(u"a name or short string longer than 255 characters");
    if (mustNotBeEmpty && text.empty()) Invalid(u"an empty name");
    FOut.push_back(static_cast<std::uint8_t>(text.size()));
    Bytes(text);
  }
  void Properties(const std::vector<TStreamProperty>& properties) {
    for (const TStreamProperty& property : properties) {
      ShortString(property.Name, true);
      Value(property.Value);
    }
    FOut.push_back(0);
  }
  void Integer(const TStreamValue& value, std::int64_t low, std::int64_t high, int size) {
    if (value.Integer < low || value.Integer > high) Invalid(u"an integer outside the range of its tag");
    Little(static_cast<std::uint64_t>(value.Integer), size);
  }
  void Fixed(const TStreamValue& value, std::size_t size) {
    if (value.Bytes.size() != size) Invalid(u"a float payload of the wrong size");
    Bytes(value.Bytes);
  }

  void Value(const TStreamValue& value) {
    FOut.push_back(static_cast<std::uint8_t>(value.Type));
    switch (value.Type) {
      case TValueType::vaNull:
      case TValueType::vaFalse:
      case TValueType::vaTrue:
      case TValueType::vaNil:
        break;
      case TValueType::vaList:
        for (const TStreamValue& element : value.List) {
          if (element.Type == TValueType::vaNull) Invalid(u"a null value inside a list");
          Value(element);
        }
        FOut.push_back(0);
        break;
      case TValueType::vaInt8:
        Integer(value, INT8_MIN, INT8_MAX, 1);
        break;
      case TValueType::vaInt16:
        Integer(value, INT16_MIN, INT16_MAX, 2);
        break;
      case TValueType::vaInt32:
        Integer(value, INT32_MIN, INT32_MAX, 4);
        break;
      case TValueType::vaInt64:
      case TValueType::vaCurrency:
        Integer(value, INT64_MIN, INT64_MAX, 8);
        break;
      case TValueType::vaExtended:
        Fixed(value, 10);
        break;
      case TValueType::vaSingle:
        Fixed(value, 4);
        break;
      case TValueType::vaDouble:
      case TValueType::vaDate:
        Fixed(value, 8);
        break;
      case TValueType::vaString:
      case TValueType::vaIdent:
        ShortString(value.Bytes, false);
        break;
      case TValueType::vaLString:
      case TValueType::vaUTF8String:
      case TValueType::vaBinary:
        Length(value.Bytes.size());
        Bytes(value.Bytes);
        break;
      case TValueType::vaWString:
        if (value.Bytes.size() % 2 != 0) Invalid(u"a wide string of an odd number of bytes");
        Length(value.Bytes.size() / 2);
        Bytes(value.Bytes);
        break;
      case TValueType::vaSet:
        for (const TStreamValue& element : value.List) ShortString(element.Bytes, true);
        FOut.push_back(0);
        break;
      case TValueType::vaCollection:
        for (const TStreamItem& item : value.Items) {
          if (item.Index) {
            CheckIndexValue(*item.Index);
            Value(*item.Index);
          }
          FOut.push_back(static_cast<std::uint8_t>(TValueType::vaList));
          Properties(item.Properties);
        }
        FOut.push_back(0);
        break;
    }
  }
};

}  // namespace

TStreamObject ReadObjectStream(std::span<const std::uint8_t> bytes, std::size_t* consumed) {
  TBinaryReader reader(bytes);
  reader.Signature();
  TStreamObject root = reader.Object(0);
  if (consumed) *consumed = reader.Position();
  return root;
}

std::vector<std::uint8_t> WriteObjectStream(const TStreamObject& root) {
  TBinaryWriter writer;
  writer.FOut.assign(std::begin(kSignature), std::end(kSignature));
  writer.Object(root, true);
  return std::move(writer.FOut);
}

}  // namespace vd
