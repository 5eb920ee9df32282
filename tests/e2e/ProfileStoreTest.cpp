// The profile store as the real monitor creates and reloads it: the first start's defaults,
// the configurator's reload messages and a corrupt stored record.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/e2e/MonitorTest.h"

namespace vd::e2e {
namespace {

constexpr UINT WM_PROFILE_CHANGED = 7035;
constexpr UINT WM_SETTINGS_CHANGED = 7037;
constexpr wchar_t kGroupValue[] = L"T362ProfileSettingGroup.pfd";
constexpr wchar_t kAllSettingsValue[] = L"T362Profile.pfd";

using ProfileStoreTest = TMonitorTest;

// A text field of a stored record (UTF-16, ended by a zero unit inside the field).
std::wstring TextAt(const std::vector<BYTE>& record, std::size_t offset, std::size_t units) {
  std::wstring text(units, L'\0');
  std::memcpy(text.data(), record.data() + offset, units * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(FindMonitorWindow(), message, wParam, lParam, SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

TEST_F(ProfileStoreTest, AFirstStartStoresTheGroupAndAllSettingsRecordsAndCreatesTheFolders) {
  StartMonitor();
  TStoreValue group, allSettings;
  ASSERT_TRUE(ReadStoreValue(kGroupValue, group));
  ASSERT_TRUE(ReadStoreValue(kAllSettingsValue, allSettings));
  EXPECT_EQ(group.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(group.Data.size(), 30964u);
  EXPECT_EQ(allSettings.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(allSettings.Data.size(), 30954u);
  // Game profiles stored in the registry are the configurator's to write.
  std::vector<std::wstring> names = StoreValueNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{kAllSettingsValue, kGroupValue}));

  EXPECT_TRUE(FolderExists(ProfileFolder()));
  for (int i = 1; i <= 5; ++i) {
    const std::wstring macros = ProfileFolder() + L"\\T362Profile" + std::to_wstring(i) + L"_Macros";
    EXPECT_TRUE(FolderExists(macros)) << "missing folder " << std::string(macros.begin(), macros.end());
    // Entry i-1 of the group record names that profile's file, folder and macro folder.
    const std::size_t entry = 12 + 6190 * (i - 1);
    EXPECT_EQ(TextAt(group.Data, entry + 4098, 21), L"T362Profile" + std::to_wstring(i) + L".pfd");
    EXPECT_EQ(TextAt(group.Data, entry + 2, 1024), ProfileFolder());
    EXPECT_EQ(TextAt(group.Data, entry + 4140, 1024), macros);
  }
}

TEST_F(ProfileStoreTest, ProfileChangedStoresTheConfiguratorsIndexSentOrPosted) {
  StartMonitor();
  Send(WM_PROFILE_CHANGED, 0, 3);
  EXPECT_EQ(StoredProfileId(), 3u);
  PostMessageW(FindMonitorWindow(), WM_PROFILE_CHANGED, 0, 1);
  EXPECT_TRUE(PumpUntil([] { return StoredProfileId() == 1; }));
  EXPECT_TRUE(FMonitor->Running());
}

TEST_F(ProfileStoreTest, SettingsChangedWritesAMissingAllSettingsRecordAgain) {
  StartMonitor();
  TStoreValue first;
  ASSERT_TRUE(ReadStoreValue(kAllSettingsValue, first));
  DeleteStoreValue(kAllSettingsValue);
  Send(WM_SETTINGS_CHANGED, 0, 0);
  TStoreValue again;
  ASSERT_TRUE(ReadStoreValue(kAllSettingsValue, again));
  EXPECT_EQ(again.Type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(again.Data, first.Data);
}

TEST_F(ProfileStoreTest, AGroupRecordStoredAsAStringIsReportedAndLeftAlone) {
  const wchar_t garbage[] = L"not a record";
  WriteStoreValue(kGroupValue, REG_SZ, garbage, sizeof garbage);
  FFolder.Add(L"ksHook.dll");
  FMonitor = std::make_unique<TMonitorProcess>(FFolder);
  const std::vector<TMessageBox> boxes = WaitForMessageBoxes(FMonitor->Id());
  ASSERT_FALSE(boxes.empty());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Invalid data type for 'T362ProfileSettingGroup.pfd'");
  EXPECT_EQ(boxes[0].Caption, L"Vardel Gaming Mouse Monitor");
  PressOk(boxes[0]);
  EXPECT_TRUE(PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; }));
  EXPECT_TRUE(FMonitor->Running());
  TStoreValue stored;
  ASSERT_TRUE(ReadStoreValue(kGroupValue, stored));
  EXPECT_EQ(stored.Type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.Data.size(), sizeof garbage);
}

}  // namespace
}  // namespace vd::e2e
