#include "core/TextObjectStream.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include "core/BinaryObjectStream.h"
#include "core/Errors.h"
#include "core/Extended.h"
#include "core/Strings.h"

namespace vd {

namespace {

// Tags that a value marks with a name, in the form Name(value).
struct TTagName {
  std::string_view Name;
  TValueType Type;
};
constexpr TTagName kTagNames[] = {
    {"Int8", TValueType::vaInt8},           {"Int16", TValueType::vaInt16},
    {"Int32", TValueType::vaInt32},         {"Int64", TValueType::vaInt64},
    {"Single", TValueType::vaSingle},       {"Double", TValueType::vaDouble},
    {"Extended", TValueType::vaExtended},   {"Currency", TValueType::vaCurrency},
    {"Date", TValueType::vaDate},           {"String", TValueType::vaString},
    {"LString", TValueType::vaLString},     {"WString", TValueType::vaWString},
    {"UTF8String", TValueType::vaUTF8String}, {"Ident", TValueType::vaIdent},
};
constexpr std::string_view kFileInclude = "File";
constexpr std::string_view kFormInclude = "Form";
constexpr int kMaxIncludeDepth = 8;
constexpr std::size_t kStringPieceLength = 64;
constexpr std::size_t kHexBytesPerLine = 32;

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

// Words that end or start a block where a property name may stand.
bool IsStructureWord(std::string_view word) { return IsOneOf(word, {"object", "inherited", "inline", "end"}); }
bool IsValueWord(std::string_view word) { return IsOneOf(word, {"True", "False", "nil", "Null"}); }
bool IsCastName(std::string_view word) {
  if (SameAscii(word, kFileInclude) || SameAscii(word, kFormInclude)) return true;
  for (const TTagName& tag : kTagNames)
    if (SameAscii(word, tag.Name)) return true;
  return false;
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Letters, digits and underscores, not starting with a digit, with single dots between parts.
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

std::string ExtendedBytes(double value) {
  const TExtendedBytes bytes = DoubleToExtended(value);
  return std::string(bytes.begin(), bytes.end());
}

template <typename T>
std::string RawBytes(T value) {
  std::string bytes(sizeof(T), '\0');
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

// The exact decimal form of a currency value: the integer holds the value times 10000.
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

// ---------------------------------------------------------------------------------------
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
      const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                        units[i + 1] <= 0xDFFF;
      const bool printable = pair || (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF));
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

// ---------------------------------------------------------------------------------------
// Text to binary tree.

class TTextParser {
public:
  TTextParser(std::string_view text, const TTextFormOptions& options, int includeDepth)
      : FText(text), FOptions(options), FIncludeDepth(includeDepth) {}

  TStreamObject Root() {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    TStreamObject root = Object(0, true);
    Skip();
    if (FPos < FText.size()) Fail(u"End of text expected");
    return root;
  }

private:
  [[noreturn]] void Fail(std::u16string_view message) { FailAt(message, FPos); }
  [[noreturn]] void FailAt(std::u16string_view message, std::size_t at) {
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < at && i < FText.size(); ++i) {
      if (FText[i] == '\n') {
        ++line;
        lineStart = i + 1;
      }
    }
    int column = 1;
    for (std::size_t i = lineStart; i < at && i < FText.size(); ++i)
      if ((static_cast<unsigned char>(FText[i]) & 0xC0) != 0x80) ++column;
    throw EParserError(message, line, column);
  }

  char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
  bool AtEnd() const { return FPos >= FText.size(); }

  void Skip() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++FPos;
      } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      } else {
        break;
      }
    }
  }

  void Expect(char c, std::u16string_view message) {
    Skip();
    if (Peek() != c) Fail(message);
    ++FPos;
  }

  std::string_view Identifier() {
    const std::size_t start = FPos;
    while (true) {
      if (!IsIdentStart(Peek())) Fail(u"Identifier expected");
      while (IsIdentChar(Peek())) ++FPos;
      if (Peek() != '.') break;
      ++FPos;
    }
    return FText.substr(start, FPos - start);
  }

  bool AtString() const { return Peek() == '\'' || Peek() == '#'; }

  // Quoted pieces and #nnn units, joined by '+'.
  std::u16string StringLiteral() {
    std::u16string out;
    while (true) {
      if (!AtString()) Fail(u"String expected");
      while (AtString()) {
        if (Peek() == '#') {
          const std::size_t start = ++FPos;
          std::uint32_t unit = 0;
          while (IsDigit(Peek()) && unit <= 0xFFFF) unit = unit * 10 + static_cast<unsigned>(FText[FPos++] - '0');
          if (FPos == start || unit > 0xFFFF) FailAt(u"Character code from 0 to 65535 expected", start);
          out += static_cast<char16_t>(unit);
          continue;
        }
        const std::size_t start = ++FPos;
        std::string bytes;
        while (true) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') FailAt(u"Unterminated string", start - 1);
          if (Peek() == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              bytes += '\'';
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          bytes += FText[FPos++];
        }
        if (!IsValidUtf8(bytes)) FailAt(u"Invalid UTF-8 in string", start);
        out += FromUtf8(bytes);
      }
      const std::size_t afterLiteral = FPos;
      Skip();
      if (Peek() != '+') {
        FPos = afterLiteral;
        return out;
      }
      ++FPos;
      Skip();
    }
  }

  // Text whose characters are 8-bit, as names and 8-bit strings need.
  std::string EightBit(const std::u16string& text, std::size_t at, std::size_t maxLength) {
    for (const char16_t c : text)
      if (c > 0xFF) FailAt(u"Only characters up to #255 are allowed here", at);
    if (text.size() > maxLength) FailAt(u"Text longer than 255 characters", at);
    return ToShortString(text);
  }

  // An identifier or a quoted name.
  std::string Name(std::u16string_view what) {
    Skip();
    const std::size_t at = FPos;
    if (AtString()) return EightBit(StringLiteral(), at, 255);
    if (!IsIdentStart(Peek())) Fail(what);
    const std::string_view name = Identifier();
    if (name.size() > 255) FailAt(u"Text longer than 255 characters", at);
    return std::string(name);
  }

  // At a property name, or false at the word that ends the properties.
  bool AtPropertyName() {
    Skip();
    if (AtString()) return true;
    if (!IsIdentStart(Peek())) return false;
    const std::size_t at = FPos;
    const std::string_view word = Identifier();
    FPos = at;
    return !IsStructureWord(word);
  }

  TStreamProperty Property(int depth) {
    const std::size_t at = FPos;
    TStreamProperty property;
    property.Name = Name(u"Property name expected");
    if (property.Name.empty()) FailAt(u"Property name expected", at);
    Expect('=', u"'=' expected");
    property.Value = Value(depth);
    return property;
  }

  bool AtObjectKeyword() {
    Skip();
    if (!IsIdentStart(Peek())) return false;
    const std::size_t at = FPos;
    const std::string_view word = Identifier();
    FPos = at;
    return IsOneOf(word, {"object", "inherited", "inline"});
  }

  TStreamObject Object(int depth, bool isRoot) {
    if (depth > kMaxStreamNesting) Fail(u"Objects nested too deeply");
    Skip();
    const std::size_t keywordAt = FPos;
    const std::string_view keyword = IsIdentStart(Peek()) ? Identifier() : std::string_view();
    TStreamObject object;
    if (SameAscii(keyword, "inherited"))
      object.Prefix = 0xF0 | ffInherited;
    else if (SameAscii(keyword, "inline"))
      object.Prefix = 0xF0 | ffInline;
    else if (!SameAscii(keyword, "object"))
      FailAt(u"'object' expected", keywordAt);

    Skip();
    bool rawPrefix = false;
    const std::size_t prefixAt = FPos;
    if (Peek() == '{') {
      const std::size_t at = FPos;
      const std::string bytes = Binary();
      if (bytes.size() != 1 || (static_cast<unsigned char>(bytes[0]) & 0xF0) != 0xF0)
        FailAt(u"A prefix byte from F0 to FF expected", at);
      object.Prefix = static_cast<std::uint8_t>(bytes[0]);
      rawPrefix = true;
    }

    Skip();
    const std::size_t classAt = FPos;
    std::string first = Name(u"Object name or class name expected");
    Skip();
    if (Peek() == ':') {
      ++FPos;
      object.Name = std::move(first);
      Skip();
      const std::size_t at = FPos;
      object.ClassName = Name(u"Class name expected");
      if (object.ClassName.empty() && !isRoot) FailAt(u"Class name expected", at);
    } else {
      object.ClassName = std::move(first);
      if (object.ClassName.empty() && !isRoot) FailAt(u"Class name expected", classAt);
    }

    Skip();
    if (Peek() == '[') {
      ++FPos;
      Skip();
      const std::size_t at = FPos;
      object.ChildPos = Value(depth + 1);
      if (object.ChildPos->Type != TValueType::vaInt8 && object.ChildPos->Type != TValueType::vaInt16 &&
          object.ChildPos->Type != TValueType::vaInt32)
        FailAt(u"An 8, 16 or 32-bit integer expected", at);
      Expect(']', u"']' expected");
      if (rawPrefix && (object.Prefix & ffChildPos) == 0) FailAt(u"The prefix byte has no child position", at);
      object.Prefix |= 0xF0 | ffChildPos;
    } else if (rawPrefix && (object.Prefix & ffChildPos) != 0) {
      FailAt(u"The prefix byte asks for a child position in '[' ']' after the class name", prefixAt);
    }
    if (object.Prefix == 0 && object.ClassName.size() >= 0xF0)
      FailAt(u"A class name of 240 or more characters needs a prefix", classAt);

    while (AtPropertyName()) object.Properties.push_back(Property(depth + 1));
    while (AtObjectKeyword()) object.Children.push_back(Object(depth + 1, false));
    Skip();
    const std::size_t endAt = FPos;
    if (!IsIdentStart(Peek()) || !SameAscii(Identifier(), "end")) FailAt(u"'end' expected", endAt);
    return object;
  }

  // "{hex}": the bytes; white space may stand between the digits.
  std::string Binary() {
    const std::size_t start = FPos++;
    std::string bytes;
    int high = -1;
    while (true) {
      if (AtEnd()) FailAt(u"'}' expected", start);
      const char c = FText[FPos];
      if (c == '}') break;
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (digit < 0 && c != ' ' && c != '\t' && c != '\r' && c != '\n') Fail(u"Hexadecimal digit expected");
      if (digit >= 0) {
        if (high < 0) {
          high = digit;
        } else {
          bytes += static_cast<char>(high * 16 + digit);
          high = -1;
        }
      }
      ++FPos;
    }
    if (high >= 0) Fail(u"Odd number of hexadecimal digits");
    ++FPos;
    return bytes;
  }

  struct TNumber {
    std::string_view Text;
    bool IsFloat = false;
  };

  TNumber Number() {
    const std::size_t start = FPos;
    TNumber number;
    if (Peek() == '-') ++FPos;
    if (!IsDigit(Peek())) Fail(u"Number expected");
    while (IsDigit(Peek())) ++FPos;
    if (Peek() == '.') {
      number.IsFloat = true;
      ++FPos;
      if (!IsDigit(Peek())) Fail(u"Digit expected");
      while (IsDigit(Peek())) ++FPos;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      number.IsFloat = true;
      ++FPos;
      if (Peek() == '+' || Peek() == '-') ++FPos;
      if (!IsDigit(Peek())) Fail(u"Digit expected");
      while (IsDigit(Peek())) ++FPos;
    }
    if (IsIdentChar(Peek()) || Peek() == '.') Fail(u"Invalid number");
    number.Text = FText.substr(start, FPos - start);
    return number;
  }

  std::int64_t IntegerNumber(std::size_t at) {
    const TNumber number = Number();
    std::int64_t value = 0;
    const auto result = std::from_chars(number.Text.data(), number.Text.data() + number.Text.size(), value);
    if (number.IsFloat || result.ec != std::errc()) FailAt(u"Integer from -2^63 to 2^63-1 expected", at);
    return value;
  }

  double DoubleNumber(std::size_t at) {
    const TNumber number = Number();
    double value = 0;
    if (!ParseFloat(number.Text, value)) FailAt(u"Number out of range", at);
    return value;
  }

  TStreamValue Value(int depth) {
    if (depth > kMaxStreamNesting) Fail(u"Values nested too deeply");
    Skip();
    const std::size_t at = FPos;
    const char c = Peek();
    if (AtString()) return MakeStringValue(StringLiteral());
    if (c == '-' || IsDigit(c)) {
      const std::size_t start = FPos;
      const TNumber number = Number();
      FPos = start;
      if (number.IsFloat) return MakeFloatValue(DoubleNumber(at));
      return MakeIntegerValue(IntegerNumber(at));
    }
    TStreamValue value;
    switch (c) {
      case '{':
        value.Type = TValueType::vaBinary;
        value.Bytes = Binary();
        return value;
      case '[':
        value.Type = TValueType::vaSet;
        ++FPos;
        Skip();
        if (Peek() == ']') {
          ++FPos;
          return value;
        }
        while (true) {
          Skip();
          const std::size_t elementAt = FPos;
          std::string element = Name(u"Set element expected");
          if (element.empty()) FailAt(u"Set element expected", elementAt);
          value.List.push_back(MakeIdentValue(std::move(element)));
          Skip();
          if (Peek() == ']') break;
          if (Peek() != ',') Fail(u"',' or ']' expected");
          ++FPos;
        }
        ++FPos;
        return value;
      case '(':
        value.Type = TValueType::vaList;
        ++FPos;
        while (true) {
          Skip();
          if (Peek() == ')') break;
          const std::size_t elementAt = FPos;
          value.List.push_back(Value(depth + 1));
          if (value.List.back().Type == TValueType::vaNull) FailAt(u"Null cannot stand in a list", elementAt);
        }
        ++FPos;
        return value;
      case '<':
        value.Type = TValueType::vaCollection;
        ++FPos;
        while (true) {
          Skip();
          if (Peek() == '>') break;
          value.Items.push_back(Item(depth + 1));
        }
        ++FPos;
        return value;
      default:
        break;
    }
    if (!IsIdentStart(c)) Fail(u"Value expected");
    const std::string_view word = Identifier();
    if (SameAscii(word, "True")) return MakeBooleanValue(true);
    if (SameAscii(word, "False")) return MakeBooleanValue(false);
    if (SameAscii(word, "nil")) {
      value.Type = TValueType::vaNil;
      return value;
    }
    if (SameAscii(word, "Null")) return value;
    if (IsCastName(word)) {
      const std::size_t afterWord = FPos;
      Skip();
      if (Peek() == '(') return Marked(word);
      FPos = afterWord;
    }
    if (word.size() > 255) FailAt(u"Text longer than 255 characters", at);
    return MakeIdentValue(std::string(word));
  }

  TStreamItem Item(int depth) {
    const std::size_t at = FPos;
    if (!IsIdentStart(Peek()) || !SameAscii(Identifier(), "item")) FailAt(u"'item' expected", at);
    TStreamItem item;
    Skip();
    if (Peek() == '[') {
      ++FPos;
      Skip();
      const std::size_t indexAt = FPos;
      item.Index = Value(depth);
      if (item.Index->Type != TValueType::vaInt8 && item.Index->Type != TValueType::vaInt16 &&
          item.Index->Type != TValueType::vaInt32)
        FailAt(u"An 8, 16 or 32-bit integer expected", indexAt);
      Expect(']', u"']' expected");
    }
    while (AtPropertyName()) item.Properties.push_back(Property(depth));
    Skip();
    const std::size_t endAt = FPos;
    if (!IsIdentStart(Peek()) || !SameAscii(Identifier(), "end")) FailAt(u"'end' expected", endAt);
    return item;
  }

  // Name(value): a value of the named tag, or an included file.
  TStreamValue Marked(std::string_view name) {
    ++FPos;  // '('
    Skip();
    const std::size_t innerAt = FPos;
    TStreamValue value;
    if (SameAscii(name, kFileInclude) || SameAscii(name, kFormInclude)) {
      value.Type = TValueType::vaBinary;
      value.Bytes = Include(StringLiteral(), SameAscii(name, kFormInclude), innerAt);
    } else {
      for (const TTagName& tag : kTagNames)
        if (SameAscii(name, tag.Name)) value.Type = tag.Type;
      MarkedPayload(value, innerAt);
    }
    Expect(')', u"')' expected");
    return value;
  }

  void RawPayload(TStreamValue& value, std::size_t size, std::size_t at) {
    value.Bytes = Binary();
    if (size != 0 && value.Bytes.size() != size)
      FailAt(Format(u"%d bytes expected", {IntToStr(static_cast<std::int64_t>(size))}), at);
  }

  void MarkedPayload(TStreamValue& value, std::size_t at) {
    switch (value.Type) {
      case TValueType::vaInt8:
      case TValueType::vaInt16:
      case TValueType::vaInt32:
      case TValueType::vaInt64: {
        value.Integer = IntegerNumber(at);
        const int bits = value.Type == TValueType::vaInt8 ? 8 : value.Type == TValueType::vaInt16 ? 16 : value.Type == TValueType::vaInt32 ? 32 : 64;
        if (bits < 64 && (value.Integer < -(std::int64_t{1} << (bits - 1)) || value.Integer >= (std::int64_t{1} << (bits - 1))))
          FailAt(u"Integer out of the range of its type", at);
        return;
      }
      case TValueType::vaExtended:
        if (Peek() == '{') return RawPayload(value, 10, at);
        value.Bytes = ExtendedBytes(DoubleNumber(at));
        return;
      case TValueType::vaSingle: {
        if (Peek() == '{') return RawPayload(value, 4, at);
        const TNumber number = Number();
        float parsed = 0;
        if (!ParseFloat(number.Text, parsed)) FailAt(u"Number out of range", at);
        value.Bytes = RawBytes(parsed);
        return;
      }
      case TValueType::vaDouble:
      case TValueType::vaDate:
        if (Peek() == '{') return RawPayload(value, 8, at);
        value.Bytes = RawBytes(DoubleNumber(at));
        return;
      case TValueType::vaCurrency: {
        const TNumber number = Number();
        if (!ParseCurrency(number.Text, value.Integer))
          FailAt(u"Currency value with at most 4 decimals expected", at);
        return;
      }
      case TValueType::vaUTF8String:
        if (Peek() == '{') return RawPayload(value, 0, at);
        {
          const std::u16string text = StringLiteral();
          if (FromUtf8(ToUtf8(text)) != text) FailAt(u"Unpaired surrogates cannot be stored as UTF-8", at);
          value = MakeStringValueAs(value.Type, text);
        }
        return;
      case TValueType::vaWString:
        value = MakeStringValueAs(value.Type, StringLiteral());
        return;
      case TValueType::vaString:
      case TValueType::vaIdent:
        value.Bytes = EightBit(StringLiteral(), at, 255);
        return;
      case TValueType::vaLString:
        value.Bytes = EightBit(StringLiteral(), at, SIZE_MAX);
        return;
      default:
        Fail(u"Value expected");
    }
  }

  std::string Include(const std::u16string& path, bool compileForm, std::size_t at) {
    if (!FOptions.ReadInclude) FailAt(u"File references are not allowed here", at);
    if (FIncludeDepth >= kMaxIncludeDepth) FailAt(u"Included forms nested too deeply", at);
    try {
      std::string bytes = FOptions.ReadInclude(path);
      if (!compileForm) return bytes;
      TTextParser nested(bytes, FOptions, FIncludeDepth + 1);
      const std::vector<std::uint8_t> binary = WriteObjectStream(nested.Root());
      return std::string(binary.begin(), binary.end());
    } catch (const Exception& error) {
      FailAt(Format(u"%s: %s", {path, error.Message()}), at);
    }
  }

  std::string_view FText;
  const TTextFormOptions& FOptions;
  int FIncludeDepth;
  std::size_t FPos = 0;
};

}  // namespace

TStreamObject ParseTextForm(std::string_view text, const TTextFormOptions& options) {
  return TTextParser(text, options, 0).Root();
}

std::string FormatTextForm(const TStreamObject& root) {
  TTextWriter writer;
  writer.Object(root, 0);
  writer.FOut += '\n';
  return std::move(writer.FOut);
}

std::vector<std::uint8_t> ObjectTextToBinary(std::string_view text, const TTextFormOptions& options) {
  return WriteObjectStream(ParseTextForm(text, options));
}

std::string ObjectBinaryToText(std::span<const std::uint8_t> bytes) {
  std::size_t consumed = 0;
  const TStreamObject root = ReadObjectStream(bytes, &consumed);
  if (consumed != bytes.size()) throw EReadError(u"Unexpected data after the end of the object stream");
  return FormatTextForm(root);
}

}  // namespace vd
