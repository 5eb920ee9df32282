#pragma once
// The toolkit's time and waiting. The clock is the time base of animations and the source of
// the main thread's timers (the 33 ms animation tick, one-shot timers such as a delayed
// Release); the message pump is what a wait on the main thread runs meanwhile (waiting for
// an animation to end). The Windows side installs a clock driven by window-message timers
// and the message loop as the pump; tests install one object, advanced by hand, as both.

#include <cstdint>
#include <functional>
#include <memory>

namespace vd {

// A running timer; destroying it stops it. Its callback may destroy it.
class IvgTimer {
public:
  virtual ~IvgTimer() = default;
};

class IvgClock {
public:
  virtual ~IvgClock() = default;
  // Milliseconds since an arbitrary start, wrapping as the system's tick count does.
  virtual std::uint32_t TickCount() = 0;
  // Calls onTick on the main thread every `interval` milliseconds until the timer goes. The
  // callback may destroy its timer, so an implementation runs a copy of it. A timer that
  // cannot be made raises an error (Exception) rather than never ticking.
  virtual std::unique_ptr<IvgTimer> StartTimer(std::uint32_t interval, std::function<void()> onTick) = 0;
};

class IvgMessagePump {
public:
  virtual ~IvgMessagePump() = default;
  // Sleeps until there is work for the main thread (a window message, a timer that falls
  // due), then runs all there is. Callers that wait for something call it in a loop, and
  // only while a timer or a message is sure to come.
  virtual void WaitAndProcessMessages() = 0;
};

// The clock of the process, or nullptr while none is installed.
IvgClock* SceneClock();
// Installing another clock (or none) first runs the change handler: the shared animation
// clock (scene/animation/AnimationClock.h) stops, since it runs on the previous one; it
// starts again on the new one when an animation next needs it. Running animations stay where
// they are until they are started again.
void SetSceneClock(IvgClock* clock);
// What keeps timers of the installed clock lets them go here (the animation clock sets it).
void SetSceneClockChangeHandler(void (*handler)());

// The message pump of the process, or nullptr while none is installed: then nothing waits.
IvgMessagePump* SceneMessagePump();
void SetSceneMessagePump(IvgMessagePump* pump);

}  // namespace vd
