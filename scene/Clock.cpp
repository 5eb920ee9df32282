#include "scene/Clock.h"

#include "scene/animation/AnimationClock.h"

namespace vd {

namespace {
IvgClock* gClock = nullptr;
IvgMessagePump* gPump = nullptr;
}  // namespace

IvgClock* SceneClock() { return gClock; }

void SetSceneClock(IvgClock* clock) {
  if (clock == gClock) return;
  // The animation clock's timer belongs to the clock that goes.
  TvgAniThread::Reset();
  gClock = clock;
}

IvgMessagePump* SceneMessagePump() { return gPump; }

void SetSceneMessagePump(IvgMessagePump* pump) { gPump = pump; }

}  // namespace vd
