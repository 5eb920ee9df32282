#pragma once
// A clock advanced by hand, for drawing a scene at a chosen moment (pictures of stored scenes,
// tests): timers fire when the time is advanced past them, in the order they fall due. It is
// the scene clock and message pump while it lives.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "scene/Clock.h"

namespace vd {

class TvgManualClock : public IvgClock, public IvgMessagePump {
public:
  TvgManualClock() {
    SetSceneClock(this);
    SetSceneMessagePump(this);
  }
  ~TvgManualClock() override {
    SetSceneClock(nullptr);
    SetSceneMessagePump(nullptr);
  }

  std::uint32_t TickCount() override { return FNow; }
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t interval, std::function<void()> onTick) override {
    auto timer = std::make_unique<TTimer>(*this, interval, std::move(onTick));
    FTimers.push_back(timer.get());
    return timer;
  }

  // Waiting for the main thread lets one animation tick pass.
  void WaitAndProcessMessages() override { Advance(33); }

  void Advance(std::uint32_t milliseconds) {
    const std::uint32_t end = FNow + milliseconds;
    while (true) {
      TTimer* next = nullptr;
      for (TTimer* timer : FTimers)
        if (timer->Due <= end && (!next || timer->Due < next->Due)) next = timer;
      if (!next) break;
      FNow = next->Due;
      next->Due += std::max<std::uint32_t>(next->Interval, 1);
      std::function<void()> tick = next->OnTick;  // the callback may destroy its timer
      tick();
    }
    FNow = end;
  }

private:
  struct TTimer : IvgTimer {
    TTimer(TvgManualClock& clock, std::uint32_t interval, std::function<void()> onTick)
        : Clock(clock), Interval(interval), Due(clock.FNow + interval), OnTick(std::move(onTick)) {}
    ~TTimer() override { std::erase(Clock.FTimers, this); }
    TvgManualClock& Clock;
    std::uint32_t Interval;
    std::uint32_t Due;
    std::function<void()> OnTick;
  };

  std::uint32_t FNow = 0;
  std::vector<TTimer*> FTimers;
};

}  // namespace vd
