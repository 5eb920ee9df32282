#include "streams/BinaryObjectStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Errors.h"
#include "streams/TextObjectStream.h"

namespace vd {
namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Stream(std::initializer_list<int> body) {
  TBytes bytes{'T', 'P', 'F', '0'};
  for (const int b : body) bytes.push_back(static_cast<std::uint8_t>(b));
  return bytes;
}

// "TPF0", object "A" of class "T", one property "P" whose value bytes follow, no children.
TBytes WithValue(std::initializer_list<int> value) {
  TBytes bytes = Stream({1, 'T', 1, 'A', 1, 'P'});
  for (const int b : value) bytes.push_back(static_cast<std::uint8_t>(b));
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::u16string ReadError(const TBytes& bytes) {
  try {
    ReadObjectStream(bytes);
  } catch (const EReadError& error) {
    return error.Message();
  }
  return u"(read)";
}

std::u16string WriteError(const TStreamObject& root) {
  try {
    WriteObjectStream(root);
  } catch (const EWriteError& error) {
    return error.Message();
  }
  return u"(written)";
}

TEST(BinaryObjectStreamTest, DecodesPayloadsLittleEndian) {
  const TStreamObject root = ReadObjectStream(WithValue({4, 0x78, 0x56, 0x34, 0x12}));
  ASSERT_EQ(root.Properties.size(), 1u);
  EXPECT_EQ(root.ClassName, "T");
  EXPECT_EQ(root.Name, "A");
  EXPECT_EQ(root.Properties[0].Value.Type, TValueType::vaInt32);
  EXPECT_EQ(root.Properties[0].Value.Integer, 0x12345678);
  EXPECT_EQ(ReadObjectStream(WithValue({3, 0x00, 0x80})).Properties[0].Value.Integer, -32768);
  EXPECT_EQ(ReadObjectStream(WithValue({2, 0xFF})).Properties[0].Value.Integer, -1);
  const TStreamValue wide = ReadObjectStream(WithValue({18, 2, 0, 0, 0, 0x53, 0x62, 0x00, 0x5F})).Properties[0].Value;
  EXPECT_EQ(StringValue(wide), u"\u6253\u5F00");
  const TStreamValue currency = ReadObjectStream(WithValue({16, 0x10, 0x27, 0, 0, 0, 0, 0, 0})).Properties[0].Value;
  EXPECT_EQ(FloatValue(currency), 1.0);
}

TEST(BinaryObjectStreamTest, EveryTruncationOfAValidStreamIsAReadError) {
  const TBytes valid = ObjectTextToBinary(
      "object A: T\n"
      "  L = ('x' 1 (2 nil) <item [3] C = 5 end>)\n"
      "  B = {0A0B}\n"
      "  S = [a, b]\n"
      "  W = '\xE6\x89\x93'\n"
      "  F = 1.5\n"
      "  object {F2} C: T [Int32(2)]\n"
      "  end\n"
      "end\n");
  ASSERT_EQ(ReadError(valid), u"(read)");
  for (std::size_t size = 4; size < valid.size(); ++size)
    EXPECT_EQ(ReadError(TBytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(size))), u"Stream read error")
        << size;
}

TEST(BinaryObjectStreamTest, MalformedStreamsAreRefused) {
  EXPECT_EQ(ReadError({'T', 'P', 'F', '1', 1, 'T', 0, 0, 0}), u"Invalid stream format");
  EXPECT_EQ(ReadError({'T', 'P'}), u"Stream read error");
  EXPECT_EQ(ReadError(WithValue({22})), u"Invalid stream format");                          // no such tag
  EXPECT_EQ(ReadError(WithValue({12, 0xFF, 0xFF, 0xFF, 0xFF})), u"Invalid stream format");  // negative length
  EXPECT_EQ(ReadError(WithValue({14, 6, 1, 'x', 1, 0, 0})), u"Invalid stream format");      // string as item index
  EXPECT_EQ(ReadError(WithValue({14, 2, 0, 2, 0, 0})), u"Invalid stream format");           // no vaList after the index
  EXPECT_EQ(ReadError(Stream({0xF2, 6, 1, 'x', 1, 'T', 0, 0, 0})),
            u"Invalid stream format");  // string as child position
}

TEST(BinaryObjectStreamTest, LengthsBeyondTheStreamFailBeforeAnythingIsAllocated) {
  // Lengths of nearly 2 GB in a stream of a few bytes.
  EXPECT_EQ(ReadError(WithValue({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})), u"Stream read error");
  EXPECT_EQ(ReadError(WithValue({10, 0xFF, 0xFF, 0xFF, 0x7F})), u"Stream read error");
  EXPECT_EQ(ReadError(WithValue({20, 0x00, 0x00, 0x00, 0x40})), u"Stream read error");
  // A wide string's count is in units of two bytes.
  EXPECT_EQ(ReadError(WithValue({18, 0x00, 0x00, 0x00, 0x40, 'a', 0})), u"Stream read error");
  EXPECT_EQ(ReadError(WithValue({18, 1, 0, 0, 0, 'a'})), u"Stream read error");
}

TEST(BinaryObjectStreamTest, NestingIsBounded) {
  const auto nestedLists = [](int depth) {
    TBytes bytes = Stream({1, 'T', 1, 'A', 1, 'P'});
    bytes.insert(bytes.end(), static_cast<std::size_t>(depth), 1);
    bytes.insert(bytes.end(), static_cast<std::size_t>(depth) + 2, 0);
    return bytes;
  };
  EXPECT_EQ(ReadError(nestedLists(kMaxStreamNesting)), u"(read)");
  EXPECT_EQ(ReadError(nestedLists(kMaxStreamNesting + 1)), u"Object stream nested too deeply");
  EXPECT_EQ(ReadError(nestedLists(100000)), u"Object stream nested too deeply");

  TBytes objects = Stream({});
  for (int i = 0; i < 5000; ++i) objects.insert(objects.end(), {1, 'T', 0, 0});
  EXPECT_EQ(ReadError(objects), u"Object stream nested too deeply");
}

TEST(BinaryObjectStreamTest, WhatFollowsTheObjectIsLeftForTheCaller) {
  TBytes bytes = WithValue({9});
  const std::size_t size = bytes.size();
  bytes.push_back(0x55);
  std::size_t consumed = 0;
  ReadObjectStream(bytes, &consumed);
  EXPECT_EQ(consumed, size);
  try {
    ObjectBinaryToText(bytes);
    FAIL() << "converted a stream with trailing bytes";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), u"Unexpected data after the end of the object stream");
  }
}

TEST(BinaryObjectStreamTest, TheWriterRefusesTreesWithoutAnUnambiguousBinaryForm) {
  const auto root = [] {
    TStreamObject object;
    object.ClassName = "T";
    return object;
  };
  EXPECT_EQ(WriteError(root()), u"(written)");

  TStreamObject longName = root();
  longName.Name = std::string(256, 'n');
  EXPECT_NE(WriteError(longName), u"(written)");

  TStreamObject child = root();
  child.Children.push_back(TStreamObject{});
  EXPECT_NE(WriteError(child), u"(written)");  // its zero length byte would end the child list

  TStreamObject prefixless = root();
  prefixless.ClassName = std::string(0xF0, 'T');
  EXPECT_NE(WriteError(prefixless), u"(written)");  // its length byte would read as a prefix
  prefixless.Prefix = 0xF0;
  EXPECT_EQ(WriteError(prefixless), u"(written)");

  TStreamObject position = root();
  position.Prefix = 0xF2;
  EXPECT_NE(WriteError(position), u"(written)");
  position.ChildPos = MakeIntegerValue(1);
  EXPECT_EQ(WriteError(position), u"(written)");
  position.ChildPos = MakeIntegerValue(5000000000);
  EXPECT_NE(WriteError(position), u"(written)");

  const auto withValue = [&](TStreamValue value) {
    TStreamObject object = root();
    object.Properties.push_back({"P", std::move(value)});
    return WriteError(object);
  };
  TStreamValue list;
  list.Type = TValueType::vaList;
  list.List.push_back(TStreamValue{});
  EXPECT_NE(withValue(list), u"(written)");  // a null would end the list
  TStreamValue narrow = MakeIntegerValue(300);
  narrow.Type = TValueType::vaInt8;
  EXPECT_NE(withValue(narrow), u"(written)");
  TStreamValue single;
  single.Type = TValueType::vaSingle;
  single.Bytes = "abc";
  EXPECT_NE(withValue(single), u"(written)");
  EXPECT_NE(withValue(MakeSetValue({"a", ""})), u"(written)");
}

}  // namespace
}  // namespace vd
