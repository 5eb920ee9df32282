#include "app/win32/MouseDevice.h"

#include "hid/MouseReport.h"

namespace vd::win32 {

void TMouseDevice::Arrived() {
  FArrivalTimer.SetEnabled(false);
  try {
    FArrivalTimer.SetEnabled(true);
  } catch (...) {
    // Without its timer the mouse is opened at once rather than never; the refusal is reported.
    Reopen();
    throw;
  }
}

void TMouseDevice::ArrivalTimerFired() {
  FArrivalTimer.SetEnabled(false);
  Reopen();
}

void TMouseDevice::Reopen() {
  FReader.HidStopRead();
  FLetMessagesRun();
  FReader.HidFindAndReadDevice(HID_USAGE_AND_PAGE_MOUSE, u"*");
}

}  // namespace vd::win32
