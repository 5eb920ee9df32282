// The monitor's language under Wine: the language the profile store names, with the built-in
// dictionary alone and with a ks.local beside the program, and the configurator's 7037.

#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/MonitorTest.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_PROFILE_CHANGED = 7035;
constexpr UINT WM_SETTINGS_CHANGED = 7037;

const std::vector<std::wstring> kEnglish = {L"Config", L"About", L"Exit"};
const std::vector<std::wstring> kSimplified = {L"\u6253\u5F00\u914D\u7F6E", L"\u5173\u4E8E\u8F6F\u4EF6",
                                               L"\u9000\u51FA\u8F6F\u4EF6"};
const std::vector<std::wstring> kTraditional = {L"\u958B\u555F\u8A2D\u5B9A", L"\u95DC\u65BC\u8EDF\u9AD4",
                                                L"\u7D50\u675F\u7A0B\u5F0F"};

class LanguageTest : public TMonitorTest {
protected:
  static void Send(UINT message, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(FindMonitorWindow(), message, 0, lParam, SMTO_NORMAL, 10000, &result);
  }
  // The monitor without ks.local: its built-in dictionary alone ("CH" first, then "US").
  void StartWithBuiltInDictionary() {
    FFolder.Add(L"ksHook.dll");
    Start();
  }
};

TEST_F(LanguageTest, TheBuiltInDictionaryGivesChineseForIndex0AndEnglishForIndex1) {
  StoreLanguage(0);
  StartWithBuiltInDictionary();
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kSimplified);
  StoreLanguage(1);
  Send(WM_SETTINGS_CHANGED);
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kEnglish);
  StoreLanguage(0);
  Send(WM_SETTINGS_CHANGED);
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kSimplified);
}

TEST_F(LanguageTest, AnErrorAfterStartUpIsCaptionedWithTheTranslatedTitle) {
  StoreLanguage(0);
  StartWithBuiltInDictionary();
  const wchar_t text[] = L"not a record";
  WriteStoreValue(L"T362ProfileSettingGroup.pfd", REG_SZ, text, sizeof text);
  PostMessageW(FindMonitorWindow(), WM_PROFILE_CHANGED, 0, 2);
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(FMonitor->Id());
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes[0].Caption, L"Vardel \u6E38\u620F\u9F20\u6807\u76D1\u63A7\u7A0B\u5E8F");
  EXPECT_EQ(boxes[0].Text, L"Invalid data type for 'T362ProfileSettingGroup.pfd'");
  PressOk(boxes[0]);
  EXPECT_TRUE(PumpUntil([&] { return MessageBoxesOf(FMonitor->Id()).empty(); }));
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(LanguageTest, TheShippedLanguageFileMatchesTheStoredIndex) {
  // A first start on an English system stores index 0: English, first in ks.local.
  StartMonitor();
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kEnglish);
  StoreLanguage(1);
  Send(WM_SETTINGS_CHANGED);
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kSimplified);
  StoreLanguage(2);
  Send(WM_SETTINGS_CHANGED);
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kTraditional);
}

TEST_F(LanguageTest, TheStoredIndexIsAppliedAtStartUpWithTheShippedLanguageFile) {
  StoreLanguage(2);
  StartMonitor();
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kTraditional);
}

TEST_F(LanguageTest, AMalformedLanguageFileIsReportedAndTheBuiltInDictionaryStays) {
  StoreLanguage(0);
  FFolder.Add(L"ksHook.dll");
  // A language count far beyond what the file holds.
  const std::wstring path = FFolder.Path() + L"ks.local";
  const unsigned char damaged[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, damaged, sizeof damaged, &written, nullptr);
  CloseHandle(file);

  FMonitor = std::make_unique<TMonitorProcess>(FFolder);
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(FMonitor->Id());
  ASSERT_FALSE(boxes.empty());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find(path), std::wstring::npos) << "the error names the file";
  PressOk(boxes[0]);
  ASSERT_TRUE(PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; }));
  EXPECT_EQ(ReadTrayMenu(TrayIcon()), kSimplified);
}

}  // namespace
}  // namespace vd::e2e
