#pragma once
// The fifth benchmark: how fast a press of the mute button is felt. From a mute report written
// by the stand-in mouse to (a) the stand-in microphone's state changed, (b) the tray icon's
// picture changed on the screen, (c) the notice's window visible, and (d) the sound cue asked
// of the stand-in sound output; medians and 95th percentiles over many presses. And whether a
// notice holds reports up: reports every 100 ms through a whole notice cycle.

#include "harness/win32/Harness.h"
#include "harness/win32/StandInMouse.h"

namespace vd::e2e {

// The monitor of the folder, started here, must read the stand-in mouse, with button 8 of
// game profile 1 given the mute and a live stand-in microphone. False when a press went
// unfelt. `echoMs` is the pipe echo the figures are set against.
bool RunFeedbackBench(TStandInMouse& mouse, int presses, double echoMs);
// Profile switches every 100 ms from the stand-in mouse while one notice shows, fades, hides
// and lets its drawing go (the first switch shows it; notices are then turned off): the
// largest and the median delay from a report to its ProfileID stored. False when one was not
// handled.
bool RunNoticeCycleBench(TStandInMouse& mouse);
// Turns the monitor's notices off, or back to their default (on).
void ShowNotices(bool shown);

}  // namespace vd::e2e
