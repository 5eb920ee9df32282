#pragma once
// The toolkit's clock and message pump on Windows: the system's tick count, timers whose
// ticks the main thread's dispatcher runs from the message loop, and that loop's pending
// messages for waits. It is the scene clock and message pump while it lives.

#include "scene/Clock.h"

namespace vd::win32 {

class TvgWin32Clock : public IvgClock, public IvgMessagePump {
public:
  TvgWin32Clock();
  ~TvgWin32Clock() override;
  TvgWin32Clock(const TvgWin32Clock&) = delete;
  TvgWin32Clock& operator=(const TvgWin32Clock&) = delete;

  std::uint32_t TickCount() override;
  // Main thread.
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t interval, std::function<void()> onTick) override;
  void WaitAndProcessMessages() override;
};

}  // namespace vd::win32
