// The log file on the system: lines appended to a file in a folder made for it, the file set
// aside once when full, and a folder that cannot be written.

#include "app/win32/LogFile.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/LogFormat.h"
#include "base/Strings.h"
#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {
namespace {

class LogFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    FRoot = U(temp) + u"vd-log-test";
    RemoveRoot();
    FFolder = FRoot + u"\\Vardel\\Mouse Monitor\\";
  }
  void TearDown() override { RemoveRoot(); }
  void RemoveRoot() {
    const std::u16string from = FRoot + u'\0';
    SHFILEOPSTRUCTW remove{nullptr, FO_DELETE, W(from), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    SHFileOperationW(&remove);
  }
  static bool Exists(const std::u16string& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }
  // The file's lines without their time stamps; checks that each has one.
  static std::vector<std::string> Lines(const std::u16string& path) {
    std::vector<std::string> lines;
    const TUniqueFile file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return lines;
    std::string text(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      const std::string line = text.substr(start, end - start);
      EXPECT_EQ(line.size() > 24 ? line.substr(4, 1) + line.substr(13, 1) + line.substr(19, 1) + line.substr(23, 1)
                                 : line,
                "-:. ");
      lines.push_back(line.substr(std::min<std::size_t>(24, line.size())));
    }
    EXPECT_EQ(text.size() - (text.empty() ? 0 : text.rfind("\r\n") + 2), 0u) << "a line was cut";
    return lines;
  }
  static std::uint64_t Size(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }

  std::u16string FRoot;
  std::u16string FFolder;
};

TEST_F(LogFileTest, LinesAreAppendedToAFileInAFolderMadeForItAlsoByALaterRun) {
  {
    TLogFile log(FFolder, u"VDMon.log");
    EXPECT_EQ(log.Path(), FFolder + u"VDMon.log");
    log.Write(u"Started");
    log.Write(u"Microphone mute asked:\r\n\"Mic\" muted");
  }
  TLogFile later(FFolder, u"VDMon.log");
  later.Write(u"Started again");
  EXPECT_EQ(Lines(FFolder + u"VDMon.log"),
            (std::vector<std::string>{"Started", "Microphone mute asked:  \"Mic\" muted", "Started again"}));
}

TEST_F(LogFileTest, AFullFileBecomesTheOlderHalfOnceAndBothStayWithinTheLimit) {
  TLogFile log(FFolder, u"VDMon.log");
  const std::u16string padding(200, u'x');
  const int count = static_cast<int>(3 * kLogFileLimit / 220);  // about three files' worth
  for (int i = 0; i < count; ++i) log.Write(IntToStr(i) + u" " + padding);
  const std::vector<std::string> older = Lines(FFolder + u"VDMon.log.1");
  const std::vector<std::string> newer = Lines(FFolder + u"VDMon.log");
  ASSERT_FALSE(older.empty());
  ASSERT_FALSE(newer.empty());
  EXPECT_LE(Size(FFolder + u"VDMon.log.1"), kLogFileLimit);
  EXPECT_GT(Size(FFolder + u"VDMon.log.1"), kLogFileLimit - 300);
  EXPECT_LE(Size(FFolder + u"VDMon.log"), kLogFileLimit);
  EXPECT_FALSE(Exists(FFolder + u"VDMon.log.2"));
  // The newest lines, without a gap: the older half ends where the newer begins.
  EXPECT_EQ(std::stoi(newer.back()), count - 1);
  EXPECT_EQ(std::stoi(older.back()) + 1, std::stoi(newer.front()));
  EXPECT_EQ(std::stoi(newer.back()) - std::stoi(older.front()) + 1, static_cast<int>(older.size() + newer.size()));
}

TEST_F(LogFileTest, AFullFileThatCannotBeSetAsideTakesNoMoreLines) {
  TLogFile log(FFolder, u"VDMon.log");
  ASSERT_TRUE(CreateDirectoryW(W(FFolder + u"VDMon.log.1"), nullptr));  // in the way of the rename
  const std::u16string padding(200, u'x');
  for (int i = 0; i < static_cast<int>(2 * kLogFileLimit / 220); ++i) log.Write(IntToStr(i) + u" " + padding);
  EXPECT_LE(Size(FFolder + u"VDMon.log"), kLogFileLimit);
  EXPECT_GT(Size(FFolder + u"VDMon.log"), kLogFileLimit - 300);
  EXPECT_EQ(std::stoi(Lines(FFolder + u"VDMon.log").front()), 0);
}

TEST_F(LogFileTest, AFolderThatCannotBeMadeOrNoFolderAtAllLosesTheLinesAndNothingElse) {
  // A file has the folder's name.
  ASSERT_TRUE(CreateDirectoryW(W(FRoot), nullptr));
  ASSERT_TRUE(CreateDirectoryW(W(FRoot + u"\\Vardel"), nullptr));
  const std::u16string blocked = FRoot + u"\\Vardel\\Mouse Monitor";
  ASSERT_TRUE(TUniqueFile(CreateFileW(W(blocked), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  TLogFile log(FFolder, u"VDMon.log");
  log.Write(u"lost");
  EXPECT_EQ(Size(blocked), 0u);
  EXPECT_FALSE(Exists(FFolder + u"VDMon.log"));
  // Without a folder, never a file in the current directory.
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryW(W(FRoot)));
  TLogFile nowhere(u"", u"VDMon.log");
  nowhere.Write(u"lost");
  EXPECT_FALSE(Exists(FRoot + u"\\VDMon.log"));
  SetCurrentDirectoryW(current);
}

}  // namespace
}  // namespace vd::win32
