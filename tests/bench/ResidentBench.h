#pragma once
// The fourth benchmark: the monitor as a resident program, against the smallest resident tray
// program (tests/bench/IdleWindow.cpp) started alike: start to window, memory at idle, memory
// after the About window was shown and hidden and again once its drawing went, and its first
// frame the first time and again.

#include "harness/win32/Harness.h"

namespace vd::e2e {

// Prints the figures; false when a step failed. The folder holds both programs.
bool RunResidentBench(const TProgramFolder& folder);

}  // namespace vd::e2e
