// The log file on the system (the end-to-end installer test sees it written across runs): the
// file set aside once when full, and a folder that cannot be written.

#include "app/win32/LogFile.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/LogFormat.h"
#include "base/Strings.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {
namespace {

class LogFileTest : public ::testing::Test {
protected:
  LogFileTest() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    FRoot = U(temp) + u"vd-log-test";
    FFolder = FRoot + u"\\Vardel\\Mouse Monitor\\";
    RemoveRoot();
  }
  ~LogFileTest() override { RemoveRoot(); }
  void RemoveRoot() {
    const std::u16string from = FRoot + u'\0';
    SHFILEOPSTRUCTW remove{nullptr, FO_DELETE, W(from), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    SHFileOperationW(&remove);
  }
  // Fills the log with numbered lines of about 230 bytes until it has taken `bytes`.
  void Fill(TLogFile& log, std::uint64_t bytes) {
    for (FCount = 0; FCount * std::uint64_t{230} < bytes; ++FCount)
      log.Write(IntToStr(FCount) + u" " + std::u16string(200, u'x'));
  }
  // The number that the file's first or last line carries; -1 without a file.
  int Number(const std::u16string& name, bool last) const {
    std::ifstream file(reinterpret_cast<const wchar_t*>((FFolder + name).c_str()), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(file), {});
    if (text.empty()) return -1;
    return std::stoi(text.substr(last ? text.rfind("\r\n", text.size() - 3) + 26 : 24));
  }
  static std::uint64_t Size(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }

  std::u16string FRoot;
  std::u16string FFolder;
  int FCount = 0;
};

TEST_F(LogFileTest, AFullFileBecomesTheOlderHalfOnceAndBothStayWithinTheLimit) {
  TLogFile log(FFolder, u"VDMon.log");
  Fill(log, 3 * kLogFileLimit);
  EXPECT_LE(Size(FFolder + u"VDMon.log"), kLogFileLimit);
  EXPECT_LE(Size(FFolder + u"VDMon.log.1"), kLogFileLimit);
  EXPECT_GT(Size(FFolder + u"VDMon.log.1"), kLogFileLimit - 300);
  EXPECT_EQ(Number(u"VDMon.log", true), FCount - 1);
  EXPECT_EQ(Number(u"VDMon.log.1", true) + 1, Number(u"VDMon.log", false));  // no line lost between
  EXPECT_EQ(Size(FFolder + u"VDMon.log.2"), 0u);
}

TEST_F(LogFileTest, AFullFileThatCannotBeSetAsideTakesNoMoreLines) {
  TLogFile log(FFolder, u"VDMon.log");
  ASSERT_TRUE(CreateDirectoryW(W(FFolder + u"VDMon.log.1"), nullptr));  // in the way of the rename
  Fill(log, 2 * kLogFileLimit);
  EXPECT_LE(Size(FFolder + u"VDMon.log"), kLogFileLimit);
  EXPECT_EQ(Number(u"VDMon.log", false), 0);
}

TEST_F(LogFileTest, AFolderThatCannotBeMadeOrNoFolderLosesTheLinesAndNothingElse) {
  ASSERT_TRUE(CreateDirectoryW(W(FRoot), nullptr) && CreateDirectoryW(W(FRoot + u"\\Vardel"), nullptr));
  std::ofstream(reinterpret_cast<const wchar_t*>(FFolder.substr(0, FFolder.size() - 1).c_str()));  // a file
  TLogFile(FFolder, u"VDMon.log").Write(u"lost");
  EXPECT_EQ(Size(FFolder.substr(0, FFolder.size() - 1)), 0u);
  // Without a folder, never a file in the current directory.
  ASSERT_TRUE(SetCurrentDirectoryW(W(FRoot)));
  TLogFile(u"", u"VDMon.log").Write(u"lost");
  EXPECT_EQ(GetFileAttributesW(W(FRoot + u"\\VDMon.log")), INVALID_FILE_ATTRIBUTES);
  SetCurrentDirectoryW(L"C:\\");
}

}  // namespace
}  // namespace vd::win32
