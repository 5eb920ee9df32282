#pragma once
// The toolkit's clock on Windows: the system's tick count, and timers whose ticks the main
// thread's dispatcher runs from the message loop. It is the scene clock while it lives.

#include "scene/Clock.h"

namespace vd::win32 {

class TvgWin32Clock : public IvgClock {
public:
  TvgWin32Clock();
  ~TvgWin32Clock() override;
  TvgWin32Clock(const TvgWin32Clock&) = delete;
  TvgWin32Clock& operator=(const TvgWin32Clock&) = delete;

  std::uint32_t TickCount() override;
  // Main thread.
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t interval, std::function<void()> onTick) override;
  void ProcessMessages() override;
};

}  // namespace vd::win32
