// The log file's decisions: an event as one time-stamped UTF-8 line, and when the file is full.

#include "app/LogFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

TEST(LogFormatTest, AnEventIsOneLineAfterItsTimeStampInUtf8) {
  const TLogTime time{2026, 1, 2, 3, 4, 5, 6};
  const std::u16string longText(kLogEventLength, u'x');
  const std::u16string cutInPair = std::u16string(kLogEventLength - 1, u'x') + u"\U0001F600" + u"y";
  const struct {
    const char* What;
    std::u16string Event;
    std::string Line;
  } cases[] = {
      {"plain", u"Started", "2026-01-02 03:04:05.006 Started\r\n"},
      {"empty", u"", "2026-01-02 03:04:05.006 \r\n"},
      {"line breaks and tabs", u"a\r\nb\tc\nd", "2026-01-02 03:04:05.006 a  b c d\r\n"},
      {"other controls", u"a\x01\x1F\x7F\x85\u2028\u2029z", "2026-01-02 03:04:05.006 a      z\r\n"},
      {"not ASCII", u"Mikrofon \u00FC \u9EA6", "2026-01-02 03:04:05.006 Mikrofon \xC3\xBC \xE9\xBA\xA6\r\n"},
      {"a surrogate pair", u"\U0001F600", "2026-01-02 03:04:05.006 \xF0\x9F\x98\x80\r\n"},
      {"half a pair", u"a\xD800z", "2026-01-02 03:04:05.006 a\xEF\xBF\xBDz\r\n"},
      {"as long as it may be", longText, "2026-01-02 03:04:05.006 " + std::string(kLogEventLength, 'x') + "\r\n"},
      {"longer: cut", longText + u"z", "2026-01-02 03:04:05.006 " + std::string(kLogEventLength, 'x') + "...\r\n"},
      {"cut within a pair", cutInPair, "2026-01-02 03:04:05.006 " + std::string(kLogEventLength - 1, 'x') + "...\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(FormatLogLine(time, c.Event), c.Line);
  }
  EXPECT_EQ(FormatLogLine({1999, 12, 31, 23, 59, 59, 999}, u"e"), "1999-12-31 23:59:59.999 e\r\n");
}

TEST(LogFormatTest, TheFileIsSetAsideWhenTheNextLineWouldTakeItPastItsLimit) {
  const struct {
    std::uint64_t FileSize;
    std::size_t LineSize;
    bool Full;
  } cases[] = {
      {0, 10, false},
      {0, kLogFileLimit + 1, false},  // an empty file takes any line
      {kLogFileLimit - 10, 10, false},
      {kLogFileLimit - 10, 11, true},
      {kLogFileLimit, 1, true},
      {kLogFileLimit * 3, 1, true},  // grown elsewhere
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.FileSize << " + " << c.LineSize);
    EXPECT_EQ(LogFileFull(c.FileSize, c.LineSize), c.Full);
  }
  EXPECT_EQ(kLogFileLimit, 128u * 1024);  // the two files hold at most 256 KB
}

}  // namespace
}  // namespace vd
