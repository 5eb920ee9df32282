#pragma once
// The fixture of the end-to-end tests: a folder of the test's own with a copy of the
// program, and a profile store as on a first start (cleared before and after each test).

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "harness/win32/Harness.h"
#include "harness/win32/StandInMouse.h"

namespace vd::e2e {

class TMonitorTest : public ::testing::Test {
protected:
  TMonitorTest();
  void SetUp() override;
  void TearDown() override;

  // Starts the monitor as it is shipped (with its hook library and language file) and waits
  // until its window and tray icon are up.
  void StartMonitor();
  // Starts the monitor of the folder as it is and waits until its window and tray icon are up.
  void Start();
  // The one tray icon, or nullptr when there is not exactly one.
  HWND TrayIcon() const;
  // Stores the configurator's all-settings record with the language at `index` (its
  // position among the monitor's languages).
  static void StoreLanguage(std::uint8_t index);

  TProgramFolder FFolder;
  std::unique_ptr<TMonitorProcess> FMonitor;
};

// With the stand-in mouse plugged in: the system folder's stand-in libraries describe it to
// the monitor, and the test serves it.
class TMouseTest : public TMonitorTest {
protected:
  // Without a capture device at first.
  void SetUp() override;
  void TearDown() override;
  // Starts the monitor as shipped and waits until it reads the mouse (about 3 s after start).
  void StartReadingMouse();
  // Waits until the monitor has handled every report sent so far: a switch to another
  // profile follows them, and the wait ends when ProfileID names that profile.
  void WaitUntilReportsHandled();

  TStandInMouse FMouse;
};

}  // namespace vd::e2e
