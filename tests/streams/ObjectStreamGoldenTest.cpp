// Golden object streams: each fixture is a stream written out byte by byte with comments
// (NAME.hex) and its expected text form (NAME.txt). Binary -> text must give the text, and
// text -> binary the very same bytes. The fixtures hold every tag, the choices our writer
// would not make, nested objects with every prefix, collections with and without item
// indexes, lists, sets, binary values and strings of every kind.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

namespace vd {
namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream file(std::string(VD_GOLDEN_DIR) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("missing fixture " + name);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// Hexadecimal byte pairs; '#' starts a comment that runs to the end of the line.
std::vector<std::uint8_t> ParseHex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::string word;
    while (words >> word) bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
  }
  return bytes;
}

class ObjectStreamGoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ObjectStreamGoldenTest, BinaryToTextToBinaryIsByteIdentical) {
  const std::string name = GetParam();
  const std::vector<std::uint8_t> binary = ParseHex(ReadFixture(name + ".hex"));
  const std::string expectedText = ReadFixture(name + ".txt");
  ASSERT_GT(binary.size(), 4u);

  const std::string text = ObjectBinaryToText(binary);
  EXPECT_EQ(text, expectedText);
  EXPECT_EQ(ObjectTextToBinary(text), binary);
  EXPECT_EQ(ObjectTextToBinary(expectedText), binary);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ObjectStreamGoldenTest,
                         ::testing::Values("all-tags", "writer-choices", "objects", "values", "strings"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::erase(name, '-');
                           return name;
                         });

}  // namespace
}  // namespace vd
