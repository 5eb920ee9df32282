#include "scene/Clock.h"

namespace vd {

namespace {
IvgClock* gClock = nullptr;
void (*gChangeHandler)() = nullptr;
IvgMessagePump* gPump = nullptr;
}  // namespace

IvgClock* SceneClock() { return gClock; }

void SetSceneClock(IvgClock* clock) {
  if (clock == gClock) return;
  // Timers of the clock that goes go with it.
  if (gChangeHandler) gChangeHandler();
  gClock = clock;
}

void SetSceneClockChangeHandler(void (*handler)()) { gChangeHandler = handler; }

IvgMessagePump* SceneMessagePump() { return gPump; }

void SetSceneMessagePump(IvgMessagePump* pump) { gPump = pump; }

}  // namespace vd
