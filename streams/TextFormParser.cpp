#include <charconv>
#include <optional>

#include "base/Errors.h"
#include "base/Strings.h"
#include "streams/BinaryObjectStream.h"
#include "streams/Extended.h"
#include "streams/TextFormSyntax.h"
#include "streams/TextObjectStream.h"

namespace vd {

namespace {

using namespace text_form;

constexpr int kMaxIncludeDepth = 8;

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
    std::size_t classAt = FPos;
    std::string first = Name(u"Object name or class name expected");
    Skip();
    if (Peek() == ':') {
      ++FPos;
      object.Name = std::move(first);
      Skip();
      classAt = FPos;
      object.ClassName = Name(u"Class name expected");
    } else {
      object.ClassName = std::move(first);
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
    // Without a prefix, a child's class name may not be empty (its zero length byte would end
    // the list of children) nor 240 characters or longer (its length byte would read as one).
    if (object.Prefix == 0 && object.ClassName.empty() && !isRoot) FailAt(u"Class name expected", classAt);
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
        const int bits = value.Type == TValueType::vaInt8    ? 8
                         : value.Type == TValueType::vaInt16 ? 16
                         : value.Type == TValueType::vaInt32 ? 32
                                                             : 64;
        if (bits < 64 &&
            (value.Integer < -(std::int64_t{1} << (bits - 1)) || value.Integer >= (std::int64_t{1} << (bits - 1))))
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
        if (!ParseCurrency(number.Text, value.Integer)) FailAt(u"Currency value with at most 4 decimals expected", at);
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

std::vector<std::uint8_t> ObjectTextToBinary(std::string_view text, const TTextFormOptions& options) {
  return WriteObjectStream(ParseTextForm(text, options));
}

}  // namespace vd
