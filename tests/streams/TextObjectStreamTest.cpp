#include "streams/TextObjectStream.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/Errors.h"
#include "streams/BinaryObjectStream.h"

namespace vd {
namespace {

struct TFailure {
  std::u16string Message;
  int Line = 0;
  int Column = 0;
  bool operator==(const TFailure&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TFailure& failure) {
  return out << failure.Line << ":" << failure.Column << " "
             << std::string(failure.Message.begin(), failure.Message.end());
}

TFailure ParseFailure(std::string_view text, const TTextFormOptions& options = {}) {
  try {
    ParseTextForm(text, options);
  } catch (const EParserError& error) {
    return {error.Message(), error.Line(), error.Column()};
  }
  return {u"(parsed)", 0, 0};
}

const TStreamValue& Value(const TStreamObject& object, std::string_view name) {
  for (const TStreamProperty& property : object.Properties)
    if (property.Name == name) return property.Value;
  throw std::runtime_error("no property " + std::string(name));
}

TEST(TextObjectStreamTest, PlainLiteralsTakeTheTagsOurWriterChooses) {
  const TStreamObject root = ParseTextForm(
      "object A: T\n"
      "  I8 = -100\n  I16 = 200\n  I32 = 70000\n  I64 = 5000000000\n"
      "  F = 0.5\n  E = 1e3\n"
      "  Ascii = 'abc'\n  Accented = 'caf\xC3\xA9'\n  Chinese = '\xE6\x89\x93\xE5\xBC\x80'\n"
      "  Empty = ''\n  Ref = Form1.Button1\n"
      "end");
  EXPECT_EQ(Value(root, "I8").Type, TValueType::vaInt8);
  EXPECT_EQ(Value(root, "I16").Type, TValueType::vaInt16);
  EXPECT_EQ(Value(root, "I32").Type, TValueType::vaInt32);
  EXPECT_EQ(Value(root, "I64").Type, TValueType::vaInt64);
  EXPECT_EQ(Value(root, "F").Type, TValueType::vaExtended);
  EXPECT_EQ(FloatValue(Value(root, "E")), 1000.0);
  EXPECT_EQ(Value(root, "Ascii").Type, TValueType::vaString);
  EXPECT_EQ(Value(root, "Accented").Type, TValueType::vaUTF8String);
  EXPECT_EQ(Value(root, "Chinese").Type, TValueType::vaWString);
  EXPECT_EQ(Value(root, "Empty").Type, TValueType::vaWString);
  EXPECT_EQ(Value(root, "Ref").Bytes, "Form1.Button1");
}

TEST(TextObjectStreamTest, KeywordsIgnoreCaseAndCommentsJoinsAndAByteOrderMarkAreAccepted) {
  const TStreamObject root = ParseTextForm(
      "\xEF\xBB\xBF// a form\n"
      "OBJECT A: T  // the root\n"
      "  Flag = TRUE\n"
      "  Nothing = NIL\n"
      "  Text = 'one' +  // joined\n"
      "    ' two'#33\n"
      "  Inherited Child: T\n"
      "  END\n"
      "End");
  EXPECT_EQ(Value(root, "Flag").Type, TValueType::vaTrue);
  EXPECT_EQ(Value(root, "Nothing").Type, TValueType::vaNil);
  EXPECT_EQ(StringValue(Value(root, "Text")), u"one two!");
  ASSERT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Prefix, 0xF0 | ffInherited);
}

TEST(TextObjectStreamTest, MalformedTextNamesTheLineAndColumn) {
  EXPECT_EQ(ParseFailure("object A: T\n  Left 5\nend"), (TFailure{u"Line 2, column 8: '=' expected", 2, 8}));
  EXPECT_EQ(ParseFailure("object A: T\n  Caption = 'open\nend"),
            (TFailure{u"Line 2, column 13: Unterminated string", 2, 13}));
  EXPECT_EQ(ParseFailure("object A: T\n  Data = {0A0G}\nend").Column, 14);
  EXPECT_EQ(ParseFailure("object A: T\n  Data = {0A0}\nend").Message,
            u"Line 2, column 14: Odd number of hexadecimal digits");
  EXPECT_EQ(ParseFailure("object A: T\n  X = 1\n").Message, u"Line 3, column 1: 'end' expected");
  EXPECT_EQ(ParseFailure("object A: T\nend\nend").Message, u"Line 3, column 1: End of text expected");
  EXPECT_EQ(ParseFailure("thing A: T\nend").Message, u"Line 1, column 1: 'object' expected");
  // Columns count characters, not bytes.
  EXPECT_EQ(ParseFailure("object A: T\n  S = '\xE6\x89\x93\xE5\xBC\x80' + X\nend").Message,
            u"Line 2, column 14: String expected");
  EXPECT_EQ(ParseFailure("object A: T\n  S = 'a\xFF'\nend").Message, u"Line 2, column 8: Invalid UTF-8 in string");
  EXPECT_EQ(ParseFailure("object A: T\n  S = #70000\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = 99999999999999999999\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = 1.5.2\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = 1e999\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = (1 Null)\nend").Message,
            u"Line 2, column 10: Null cannot stand in a list");
  EXPECT_EQ(ParseFailure("object A: T\n  N = [a, ]\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = <item X = 1>\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  object B: ''\n  end\nend").Message, u"Line 2, column 13: Class name expected");
  EXPECT_EQ(ParseFailure("object A: T\n  '' = 1\nend").Line, 2);
}

TEST(TextObjectStreamTest, MarkedValuesAreCheckedAgainstTheirTag) {
  EXPECT_EQ(ParseFailure("object A: T\n  N = Int8(128)\nend").Message,
            u"Line 2, column 12: Integer out of the range of its type");
  EXPECT_EQ(ParseFailure("object A: T\n  N = Int16(1.5)\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = Double({0011})\nend").Message, u"Line 2, column 14: 8 bytes expected");
  EXPECT_EQ(ParseFailure("object A: T\n  N = String('\xE6\x89\x93')\nend").Message,
            u"Line 2, column 14: Only characters up to #255 are allowed here");
  EXPECT_EQ(ParseFailure("object A: T\n  N = UTF8String(#55296)\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = Currency(1.23456)\nend").Line, 2);
  EXPECT_EQ(ParseFailure("object A: T\n  N = Int8(1\nend").Message, u"Line 3, column 1: ')' expected");
  EXPECT_EQ(ParseFailure("object {E0} A: T\nend").Line, 1);
  EXPECT_EQ(ParseFailure("object {F2} A: T\nend").Line, 1);  // the prefix asks for a child position
  EXPECT_EQ(ParseFailure("object {F0} A: T [1]\nend").Line, 1);

  // A tag name that is not followed by '(' is a plain identifier.
  const TStreamObject root =
      ParseTextForm("object A: T\n  Kind = Single\n  Cur = Currency(-922337203685477.5808)\nend");
  EXPECT_EQ(Value(root, "Kind").Type, TValueType::vaIdent);
  EXPECT_EQ(Value(root, "Cur").Integer, INT64_MIN);
}

TEST(TextObjectStreamTest, FileAndFormReferencesNeedAnIncludeReader) {
  const std::string text = "object A: T\n  Picture = File('art\\main.png')\n  Styles = Form('styles.form')\nend";
  EXPECT_EQ(ParseFailure(text).Message, u"Line 2, column 18: File references are not allowed here");

  std::map<std::u16string, std::string> files = {
      {u"art\\main.png", std::string("\x89PNG\0", 5)},
      {u"styles.form", "object S: TStyles\n  Tag = 1\nend\n"},
  };
  TTextFormOptions options;
  options.ReadInclude = [&](const std::u16string& path) {
    const auto it = files.find(path);
    if (it == files.end()) throw Exception(u"Cannot open file");
    return it->second;
  };
  const TStreamObject root = ParseTextForm(text, options);
  EXPECT_EQ(Value(root, "Picture").Type, TValueType::vaBinary);
  EXPECT_EQ(Value(root, "Picture").Bytes, std::string("\x89PNG\0", 5));
  const std::string& styles = Value(root, "Styles").Bytes;
  const TStreamObject nested =
      ReadObjectStream(std::span(reinterpret_cast<const std::uint8_t*>(styles.data()), styles.size()));
  EXPECT_EQ(nested.ClassName, "TStyles");

  files[u"styles.form"] = "object S: TStyles\n  Tag = =\nend\n";
  EXPECT_EQ(ParseFailure(text, options).Message, u"Line 3, column 17: styles.form: Line 2, column 9: Value expected");
  files[u"styles.form"] = "object S: TStyles\n  Self = Form('styles.form')\nend\n";
  EXPECT_NE(ParseFailure(text, options).Message.find(u"Included forms nested too deeply"), std::u16string::npos);
  files.erase(u"art\\main.png");
  EXPECT_EQ(ParseFailure(text, options).Message, u"Line 2, column 18: art\\main.png: Cannot open file");
}

TEST(TextObjectStreamTest, NamesThatAreNotIdentifiersAreQuotedAndReadBack) {
  TStreamObject root;
  root.ClassName = "T";
  root.Name = "it's";
  root.Properties.push_back({"object", MakeIntegerValue(1)});
  root.Properties.push_back({"Fill.Color", MakeIdentValue("a.b")});
  root.Properties.push_back({std::string(255, 'p'), MakeSetValue({"x y", "end"})});
  TStreamObject child;
  child.ClassName = "TChild";
  child.Name = "1st";
  root.Children.push_back(child);
  const std::string text = FormatTextForm(root);
  EXPECT_NE(text.find("object 'it''s': T\n  'object' = 1\n  Fill.Color = a.b\n"), std::string::npos) << text;
  EXPECT_EQ(ParseTextForm(text), root);
}

TEST(TextObjectStreamTest, NestingIsBounded) {
  std::string deep = "object A: T\n  L = ";
  deep.append(kMaxStreamNesting + 1, '(');
  deep.append(kMaxStreamNesting + 1, ')');
  deep += "\nend";
  EXPECT_EQ(ParseFailure(deep).Message.find(u"Line 2"), 0u);
  std::string objects;
  for (int i = 0; i < 500; ++i) objects += "object A: T\n";
  EXPECT_EQ(ParseFailure(objects).Message.find(u"Line 102"), 0u);
}

}  // namespace
}  // namespace vd
