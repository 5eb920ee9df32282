#include "scene/Clock.h"

namespace vd {

namespace {
IvgClock* gClock = nullptr;
}

IvgClock* SceneClock() { return gClock; }

void SetSceneClock(IvgClock* clock) { gClock = clock; }

}  // namespace vd
