#include "tests/e2e/MonitorTest.h"

#include <algorithm>

#include "harness/win32/SystemStandIns.h"

namespace vd::e2e {

namespace {

constexpr wchar_t kAllSettingsValue[] = L"T362Profile.pfd";
constexpr std::size_t kAllSettingsSize = 30954;
constexpr std::size_t kCurrentLanguage = 30952;

// A name for the test's own folder: the parameterised tests' slashes become dashes.
std::wstring CurrentTestName() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::replace(name.begin(), name.end(), '/', '-');
  return std::wstring(name.begin(), name.end());
}

}  // namespace

TMonitorTest::TMonitorTest() : FFolder(CurrentTestName()) {}

void TMonitorTest::SetUp() { ClearProfileStore(); }

void TMonitorTest::TearDown() {
  FMonitor.reset();
  ClearProfileStore();
}

void TMonitorTest::StartMonitor() {
  FFolder.Add(L"ksHook.dll");
  FFolder.Add(L"ks.local");
  Start();
}

void TMonitorTest::Start() {
  FMonitor = std::make_unique<TMonitorProcess>(FFolder);
  ASSERT_TRUE(PumpUntil([] { return FindMonitorWindow() && TrayIconWindows().size() == 1; }));
}

HWND TMonitorTest::TrayIcon() const {
  const auto icons = TrayIconWindows();
  return icons.size() == 1 ? icons.front() : nullptr;
}

void TMouseTest::SetUp() {
  TMonitorTest::SetUp();
  static const bool installed = InstallSystemStandIns();
  if (!installed) GTEST_SKIP() << "the stand-in system libraries can only be installed under Wine";
  SetStandInMicrophone(std::nullopt);
  ForgetStandInSounds();
}

void TMouseTest::TearDown() {
  TMonitorTest::TearDown();
  SetStandInMicrophone(std::nullopt);
  ForgetStandInSounds();
}

void TMouseTest::StartReadingMouse() {
  StartMonitor();
  ASSERT_TRUE(FMouse.WaitForReader());
}

void TMouseTest::WaitUntilReportsHandled() {
  const DWORD next = (StoredProfileId().value_or(0) + 1) % 5;
  ASSERT_EQ(FMouse.Send({0x08, 0x01, static_cast<std::uint8_t>(next)}), 1);
  ASSERT_TRUE(PumpUntil([&] { return StoredProfileId() == next; }));
}

void TMonitorTest::StoreLanguage(std::uint8_t index) {
  TStoreValue stored;
  std::vector<BYTE> record(kAllSettingsSize);
  if (ReadStoreValue(kAllSettingsValue, stored) && stored.Data.size() == kAllSettingsSize) record = stored.Data;
  record[kCurrentLanguage] = index;
  WriteStoreValue(kAllSettingsValue, REG_BINARY, record.data(), static_cast<DWORD>(record.size()));
}

}  // namespace vd::e2e
