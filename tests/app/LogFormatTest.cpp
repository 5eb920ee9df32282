// The log file's decisions: an event as one time-stamped UTF-8 line, and when the file is full.

#include "app/LogFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

TEST(LogFormatTest, AnEventIsOneLineAfterItsTimeStampInUtf8CutAfterItsLength) {
  const std::string x(kLogEventLength - 1, 'x');
  const std::u16string ux(kLogEventLength - 1, u'x');
  const std::pair<std::u16string, std::string> cases[] = {
      {u"Started", "Started"},
      {u"a\r\nb\tc\x01\x7F\x85\u2028\u2029z", "a  b c     z"},
      {u"\u00FC\u9EA6\U0001F600", "\xC3\xBC\xE9\xBA\xA6\xF0\x9F\x98\x80"},
      {u"a\xD800z", "a\xEF\xBF\xBDz"},
      {ux + u"y", x + "y"},
      {ux + u"yz", x + "y..."},
      {ux + u"\U0001F600", x + "..."}};  // never half a character
  for (const auto& [event, text] : cases)
    EXPECT_EQ(FormatLogLine({2026, 1, 2, 3, 4, 5, 6}, event), "2026-01-02 03:04:05.006 " + text + "\r\n");
}

TEST(LogFormatTest, TheFileIsSetAsideWhenTheNextLineWouldTakeItPastHalfOf256KB) {
  EXPECT_EQ(kLogFileLimit, 128u * 1024);
  EXPECT_FALSE(LogFileFull(0, kLogFileLimit + 1));  // an empty file takes any line
  EXPECT_FALSE(LogFileFull(kLogFileLimit - 10, 10));
  EXPECT_TRUE(LogFileFull(kLogFileLimit - 10, 11));
  EXPECT_TRUE(LogFileFull(kLogFileLimit * 3, 1));
}

}  // namespace
}  // namespace vd
