#pragma once
// The decisions of the monitor's log file, apart from writing it: how an event becomes one
// line, and when the file is full. The log is for bug reports: one line per event, a time
// stamp first, UTF-8. It holds at most 256 KB: VDMon.log grows to half of that, then
// becomes VDMon.log.1 (the older half, replacing the one before) and a new VDMon.log begins.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vd {

struct TLogTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// At most this many UTF-16 units of an event's text are written; longer texts are cut.
inline constexpr std::size_t kLogEventLength = 1000;
// The size at which VDMon.log becomes VDMon.log.1.
inline constexpr std::uint64_t kLogFileLimit = 128 * 1024;

// "2026-12-10 14:03:22.123 text" and CR LF, in UTF-8; line breaks and other control
// characters (C0, C1, the Unicode line and paragraph separators) become spaces, so that an
// event stays one line.
std::string FormatLogLine(const TLogTime& time, std::u16string_view event);
// Whether a file of `fileSize` bytes must be set aside before a line of `lineSize` bytes is
// added. An empty file takes any line (lines are short).
bool LogFileFull(std::uint64_t fileSize, std::size_t lineSize);

}  // namespace vd
