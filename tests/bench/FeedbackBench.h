#pragma once
// The fifth benchmark: how fast a press of the mute button is felt. From a mute report written
// by the stand-in mouse to (a) the stand-in microphone's state changed, (b) the tray icon's
// picture changed on the screen, (c) the notice's window visible, and (d) the sound cue asked
// of the stand-in sound output; medians and 95th percentiles over many presses.

#include "harness/win32/Harness.h"
#include "harness/win32/StandInMouse.h"

namespace vd::e2e {

// The monitor of the folder, started here, must read the stand-in mouse, with button 8 of
// game profile 1 given the mute and a live stand-in microphone. False when a press went
// unfelt. `echoMs` is the pipe echo the figures are set against.
bool RunFeedbackBench(TStandInMouse& mouse, int presses, double echoMs);

}  // namespace vd::e2e
