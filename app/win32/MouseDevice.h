#pragma once
// The mouse as the monitor reads it: its collections are opened 1500 ms after the last
// arrival of a burst of HID interfaces, opened again after every later burst, and no longer
// read once the monitor ends.

#include <functional>

#include "hid/win32/ksHIDData.h"
#include "ui/win32/Timer.h"

namespace vd::win32 {

class TMouseDevice {
public:
  // `letMessagesRun` runs the messages that wait, then gives the readers' ends time to come.
  TMouseDevice(TksHIDData& reader, TTimer& arrivalTimer, std::function<void()> letMessagesRun)
      : FReader(reader), FArrivalTimer(arrivalTimer), FLetMessagesRun(std::move(letMessagesRun)) {}

  // A HID interface arrived: the timer starts again. When the system refuses the timer, the
  // mouse is opened again at once, and the refusal raised.
  void Arrived();
  // The timer fired: it stops, and the mouse is opened again.
  void ArrivalTimerFired();
  // Stops all reading, lets pending messages run, then reads every collection of the mouse.
  void Reopen();
  void Stop() { FReader.HidStopRead(); }

private:
  TksHIDData& FReader;
  TTimer& FArrivalTimer;
  std::function<void()> FLetMessagesRun;
};

}  // namespace vd::win32
