// The mouse opened again after HID interfaces arrived, with the stand-in setup and HID
// libraries counting the scans.

#include "app/win32/MouseDevice.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/hid/win32/HidTestSupport.h"

namespace vd::win32 {
namespace {

UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

// An arrival starts the device timer, whose tick opens the mouse again; a timer the system
// refuses is reported, and the mouse is opened at once rather than never.
TEST(MouseDeviceTest, AnArrivalWhoseTimerIsRefusedOpensTheMouseAtOnceAndIsReported) {
  test::TTestPlatform platform;
  for (const bool refused : {false, true}) {
    SCOPED_TRACE(refused ? "timer refused" : "timer started");
    test::TStandInHid hid;
    TksHIDData reader(nullptr, hid.Api());
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(1500);
    TMouseDevice device(reader, timer, [] {});
    timer.SetOnTimer(TNotifyEvent(u"TimerDeviceArrialTimer", [&](TComponent*) { device.ArrivalTimerFired(); }));
    const TSetTimer system = ReplaceSetTimerFunction(&RefuseTimer);
    if (!refused) ReplaceSetTimerFunction(system);
    std::u16string error;
    try {
      device.Arrived();
    } catch (const Exception& raised) {
      error = raised.Message();
    }
    ReplaceSetTimerFunction(system);
    EXPECT_EQ(hid.ClassQueries, refused ? 1 : 0);
    EXPECT_EQ(error.rfind(u"SetTimer failed", 0) == 0, refused);
  }
}

}  // namespace
}  // namespace vd::win32
