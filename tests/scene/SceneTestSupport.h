#pragma once
// Helpers shared by the scene tests: objects read from text forms, a stand-in for the
// scene's window, and a clock advanced by hand.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Clock.h"
#include "scene/SceneHost.h"
#include "scene/VgObject.h"
#include "streams/MemoryStream.h"

namespace vd::scene_test {

inline TMemoryStream TextStream(std::string_view text) {
  return TMemoryStream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A new object read from a text form (fails the test when it yields none).
template <class T = TvgObject>
std::unique_ptr<T> Load(std::string_view text) {
  TMemoryStream stream = TextStream(text);
  std::unique_ptr<TvgObject> object(CreateObjectFromStream(nullptr, stream));
  T* typed = dynamic_cast<T*>(object.get());
  if (!typed) throw std::runtime_error("the text form yields no object of the class");
  object.release();
  return std::unique_ptr<T>(typed);
}

class TStandInHost : public IvgSceneHost {
public:
  void AddUpdateRect(const TvgRect& rect) override { FDamage.push_back(rect); }
  void UpdateBuffer() override {}
  void SetCapture() override { FCaptured = true; }
  void ReleaseCapture() override { FCaptured = false; }
  void TakeFocus() override { ++FFocusTaken; }
  void SetCursor(TvgCursor cursor) override { FCursor = cursor; }
  bool ParentIsForm() override { return true; }
  std::int32_t FormTag() override { return FTag; }
  TvgWindowBounds FormBounds() override { return FBounds; }
  void SetFormBounds(const TvgWindowBounds& bounds) override { FBounds = bounds; }
  void SetModalResult(std::int32_t result) override { FModalResult = result; }
  bool IsDesigning() override { return false; }

  std::vector<TvgRect> FDamage;
  bool FCaptured = false;
  int FFocusTaken = 0;
  TvgCursor FCursor = crDefault;
  std::int32_t FTag = 0;
  TvgWindowBounds FBounds;
  std::int32_t FModalResult = 0;
};

// Timers fire when the time is advanced past them, in the order they fall due.
class TManualClock : public IvgClock {
public:
  TManualClock() { SetSceneClock(this); }
  ~TManualClock() override { SetSceneClock(nullptr); }

  std::uint32_t TickCount() override { return FNow; }
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t interval, std::function<void()> onTick) override {
    auto timer = std::make_unique<TTimer>(*this, interval, std::move(onTick));
    FTimers.push_back(timer.get());
    return timer;
  }

  // Waiting for the main thread lets one animation tick pass.
  void ProcessMessages() override { Advance(33); }

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
    TTimer(TManualClock& clock, std::uint32_t interval, std::function<void()> onTick)
        : Clock(clock), Interval(interval), Due(clock.FNow + interval), OnTick(std::move(onTick)) {}
    ~TTimer() override { std::erase(Clock.FTimers, this); }
    TManualClock& Clock;
    std::uint32_t Interval;
    std::uint32_t Due;
    std::function<void()> OnTick;
  };

  std::uint32_t FNow = 0;
  std::vector<TTimer*> FTimers;
};

}  // namespace vd::scene_test
