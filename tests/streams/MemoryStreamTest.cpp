#include "streams/MemoryStream.h"

#include <gtest/gtest.h>

#include "base/Errors.h"

namespace vd {
namespace {

TEST(MemoryStreamTest, WritesGrowTheStreamAndFillAGapWithZeros) {
  TMemoryStream stream;
  stream.Write("ab", 2);
  stream.SetPosition(4);
  stream.Write("c", 1);
  EXPECT_EQ(stream.Size(), 5);
  EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{'a', 'b', 0, 0, 'c'}));
  stream.Seek(-4, TSeekOrigin::soEnd);
  stream.Write("X", 1);
  EXPECT_EQ(stream.Bytes()[1], 'X');
  EXPECT_EQ(stream.Position(), 2);
}

TEST(MemoryStreamTest, ReadsStopAtTheEndAndReadBufferFailsWithoutReading) {
  TMemoryStream stream(std::vector<std::uint8_t>{1, 2, 3});
  std::uint8_t buffer[4] = {9, 9, 9, 9};
  stream.SetPosition(1);
  EXPECT_EQ(stream.Read(buffer, 4), 2);
  EXPECT_EQ(buffer[1], 3);
  EXPECT_EQ(stream.Read(buffer, 4), 0);

  stream.SetPosition(2);
  try {
    stream.ReadBuffer(buffer, 2);
    FAIL() << "read past the end";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), u"Stream read error");
  }
  EXPECT_EQ(stream.Position(), 2);
  stream.SetPosition(10);
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
  EXPECT_TRUE(stream.Remaining().empty());
  EXPECT_THROW(stream.Seek(-11, TSeekOrigin::soCurrent), EStreamError);
  EXPECT_EQ(stream.Position(), 10);
}

TEST(MemoryStreamTest, SetSizeTruncatesAndKeepsThePosition) {
  TMemoryStream stream(std::vector<std::uint8_t>{1, 2, 3, 4});
  stream.SetPosition(3);
  stream.SetSize(2);
  EXPECT_EQ(stream.Size(), 2);
  EXPECT_EQ(stream.Position(), 3);
  stream.SetSize(3);
  EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{1, 2, 0}));
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

}  // namespace
}  // namespace vd
