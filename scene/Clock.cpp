#include "scene/Clock.h"

#include "scene/animation/AnimationClock.h"

namespace vd {

namespace {
IvgClock* gClock = nullptr;
}

IvgClock* SceneClock() { return gClock; }

void SetSceneClock(IvgClock* clock) {
  if (clock == gClock) return;
  // The animation clock's timer belongs to the clock that goes.
  TvgAniThread::Reset();
  gClock = clock;
}

}  // namespace vd
