#include <cmath>
#include <cstring>

#include "base/Errors.h"
#include "base/Strings.h"
#include "streams/BinaryObjectStream.h"
#include "streams/Extended.h"
#include "streams/TextFormSyntax.h"
#include "streams/TextObjectStream.h"

namespace vd {

namespace {

using namespace text_form;

constexpr std::size_t kStringPieceLength = 64;
constexpr std::size_t kHexBytesPerLine = 32;

// Binary tree to text.
class TTextWriter {
public:
  std::string FOut;

  void Object(const TStreamObject& object, int indent) {
    Header(object);
    for (const TStreamProperty& property : object.Properties) {
      NewLine(indent + 1);
      Name(property.Name, true);
      FOut += " = ";
      Value(property.Value, indent + 1);
    }
    for (const TStreamObject& child : object.Children) {
      NewLine(indent + 1);
      Object(child, indent + 1);
    }
    NewLine(indent);
    FOut += "end";
  }

private:
  void NewLine(int indent) {
    FOut += '\n';
    FOut.append(static_cast<std::size_t>(indent) * 2, ' ');
  }

  void Header(const TStreamObject& object) {
    // The keywords give no prefix (object), ffInherited (inherited) or ffInline (inline);
    // "[n]" adds ffChildPos. Any other prefix byte is written out after "object".
    const std::uint8_t flags = object.Prefix & ~ffChildPos;
    const bool hasChildPos = (object.Prefix & ffChildPos) != 0;
    if (object.Prefix != 0 && flags == (0xF0 | ffInherited)) {
      FOut += "inherited";
    } else if (object.Prefix != 0 && flags == (0xF0 | ffInline)) {
      FOut += "inline";
    } else {
      FOut += "object";
      if (object.Prefix != 0 && (flags != 0xF0 || !hasChildPos)) {
        FOut += " {";
        Hex(std::string(1, static_cast<char>(object.Prefix)));
        FOut += '}';
      }
    }
    FOut += ' ';
    if (!object.Name.empty()) {
      Name(object.Name);
      FOut += ": ";
    }
    Name(object.ClassName);
    if (object.ChildPos) {
      FOut += " [";
      Value(*object.ChildPos, 0);
      FOut += ']';
    }
  }

  // A name: an identifier, or quoted when it is not one. A property name is also quoted
  // when it is a word that ends a property list.
  void Name(const std::string& name, bool isProperty = false) {
    if (IsIdentifier(name) && !(isProperty && IsStructureWord(name)))
      FOut += name;
    else
      Literal(FromShortString(name), 0);
  }

  void Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char c : bytes) {
      FOut += kDigits[static_cast<unsigned char>(c) >> 4];
      FOut += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
  }

  void Binary(const std::string& bytes, int indent) {
    FOut += '{';
    if (bytes.size() <= kHexBytesPerLine) {
      Hex(bytes);
    } else {
      for (std::size_t i = 0; i < bytes.size(); i += kHexBytesPerLine) {
        NewLine(indent + 1);
        Hex(bytes.substr(i, kHexBytesPerLine));
      }
    }
    FOut += '}';
  }

  // A quoted string: printable characters inside quotes, every other unit as #nnn; long
  // strings in pieces joined by '+', one piece a line.
  void Literal(const std::u16string& units, int indent) {
    if (units.empty()) {
      FOut += "''";
      return;
    }
    std::size_t start = 0;
    while (start < units.size()) {
      std::size_t end = std::min(units.size(), start + kStringPieceLength);
      if (end < units.size() && units[end - 1] >= 0xD800 && units[end - 1] <= 0xDBFF) ++end;  // keep pairs whole
      if (start > 0) {
        FOut += " +";
        NewLine(indent + 1);
      }
      Piece(std::u16string_view(units).substr(start, end - start));
      start = end;
    }
  }

  void Piece(std::u16string_view units) {
    bool quoted = false;
    for (std::size_t i = 0; i < units.size(); ++i) {
      const char16_t c = units[i];
      const bool pair =
          c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
      const bool printable =
          pair || (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF));
      if (!printable) {
        if (quoted) FOut += '\'';
        quoted = false;
        FOut += '#';
        FOut += std::to_string(c);
        continue;
      }
      if (!quoted) FOut += '\'';
      quoted = true;
      if (c == u'\'') {
        FOut += "''";
      } else {
        FOut += ToUtf8(units.substr(i, pair ? 2 : 1));
        if (pair) ++i;
      }
    }
    if (quoted) FOut += '\'';
  }

  void Marked(TValueType type, const std::string& inner) {
    FOut += TagName(type);
    FOut += '(';
    FOut += inner;
    FOut += ')';
  }

  void MarkedBytes(TValueType type, const std::string& bytes) {
    FOut += TagName(type);
    FOut += "(";
    Binary(bytes, 0);
    FOut += ')';
  }

  // A float as a literal when the literal reads back as the same bytes, else as its bytes.
  void Float(const TStreamValue& value) {
    if (value.Type == TValueType::vaCurrency) {
      Marked(value.Type, FormatCurrency(value.Integer));
      return;
    }
    std::string text;
    std::string bytes;
    if (value.Type == TValueType::vaSingle) {
      float number = 0;
      std::memcpy(&number, value.Bytes.data(), sizeof number);
      text = FormatFloat(number);
      float parsed = 0;
      if (std::isfinite(number) && ParseFloat(text, parsed)) bytes = RawBytes(parsed);
    } else {
      const double number = FloatValue(value);
      text = FormatFloat(number);
      double parsed = 0;
      if (std::isfinite(number) && ParseFloat(text, parsed))
        bytes = value.Type == TValueType::vaExtended ? ExtendedBytes(parsed) : RawBytes(parsed);
    }
    if (bytes != value.Bytes)
      MarkedBytes(value.Type, value.Bytes);
    else if (value.Type == TValueType::vaExtended)
      FOut += text;
    else
      Marked(value.Type, text);
  }

  void String(const TStreamValue& value, int indent) {
    const std::u16string text = StringValue(value);
    if (value.Type == TValueType::vaUTF8String && !IsValidUtf8(value.Bytes)) {
      MarkedBytes(value.Type, value.Bytes);
      return;
    }
    if (ChooseStringType(text) == value.Type) {
      Literal(text, indent);
      return;
    }
    FOut += TagName(value.Type);
    FOut += '(';
    Literal(text, indent);
    FOut += ')';
  }

  void Value(const TStreamValue& value, int indent) {
    switch (value.Type) {
      case TValueType::vaNull:
        FOut += "Null";
        break;
      case TValueType::vaNil:
        FOut += "nil";
        break;
      case TValueType::vaFalse:
        FOut += "False";
        break;
      case TValueType::vaTrue:
        FOut += "True";
        break;
      case TValueType::vaInt8:
      case TValueType::vaInt16:
      case TValueType::vaInt32:
      case TValueType::vaInt64:
        if (MakeIntegerValue(value.Integer).Type == value.Type)
          FOut += std::to_string(value.Integer);
        else
          Marked(value.Type, std::to_string(value.Integer));
        break;
      case TValueType::vaExtended:
      case TValueType::vaSingle:
      case TValueType::vaDouble:
      case TValueType::vaDate:
      case TValueType::vaCurrency:
        Float(value);
        break;
      case TValueType::vaString:
      case TValueType::vaLString:
      case TValueType::vaWString:
      case TValueType::vaUTF8String:
        String(value, indent);
        break;
      case TValueType::vaIdent:
        if (IsIdentifier(value.Bytes) && !IsValueWord(value.Bytes) && !IsCastName(value.Bytes)) {
          FOut += value.Bytes;
        } else {
          FOut += "Ident(";
          Literal(FromShortString(value.Bytes), indent);
          FOut += ')';
        }
        break;
      case TValueType::vaBinary:
        Binary(value.Bytes, indent);
        break;
      case TValueType::vaSet:
        FOut += '[';
        for (std::size_t i = 0; i < value.List.size(); ++i) {
          if (i > 0) FOut += ", ";
          Name(value.List[i].Bytes);
        }
        FOut += ']';
        break;
      case TValueType::vaList:
        FOut += '(';
        for (const TStreamValue& element : value.List) {
          NewLine(indent + 1);
          Value(element, indent + 1);
        }
        FOut += ')';
        break;
      case TValueType::vaCollection:
        FOut += '<';
        for (const TStreamItem& item : value.Items) {
          NewLine(indent + 1);
          FOut += "item";
          if (item.Index) {
            FOut += " [";
            Value(*item.Index, 0);
            FOut += ']';
          }
          for (const TStreamProperty& property : item.Properties) {
            NewLine(indent + 2);
            Name(property.Name, true);
            FOut += " = ";
            Value(property.Value, indent + 2);
          }
          NewLine(indent + 1);
          FOut += "end";
        }
        FOut += '>';
        break;
    }
  }
};

}  // namespace

std::string FormatTextForm(const TStreamObject& root) {
  TTextWriter writer;
  writer.Object(root, 0);
  writer.FOut += '\n';
  return std::move(writer.FOut);
}

std::string ObjectBinaryToText(std::span<const std::uint8_t> bytes) {
  std::size_t consumed = 0;
  const TStreamObject root = ReadObjectStream(bytes, &consumed);
  if (consumed != bytes.size()) throw EReadError(u"Unexpected data after the end of the object stream");
  return FormatTextForm(root);
}

}  // namespace vd
