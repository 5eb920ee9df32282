#pragma once
// TvgAniThread, the one clock that advances every running animation of the process (a
// timer of the main thread, despite its name): every 33 ms it hands each animation in its
// list the time since the clock began and the time since its last tick. It runs on the
// installed scene clock (scene/Clock.h), ticks only while it has animations, and goes with
// that clock when another one is installed.

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/Clock.h"

namespace vd {

class TvgAnimation;

class TvgAniThread {
public:
  // Milliseconds between ticks.
  static constexpr std::uint32_t kInterval = 33;

  // The clock, created on first need; none while no scene clock is installed.
  static TvgAniThread* Instance();
  // The clock if it exists.
  static TvgAniThread* Current();
  // Drops the clock and its timer (the scene clock is about to change).
  static void Reset();

  explicit TvgAniThread(IvgClock& clock);
  TvgAniThread(const TvgAniThread&) = delete;
  TvgAniThread& operator=(const TvgAniThread&) = delete;

  // An animation joins the list once; leaving it is harmless when it is not there.
  void AddAnimation(TvgAnimation* animation);
  void RemoveAnimation(TvgAnimation* animation);
  bool Contains(const TvgAnimation* animation) const;

private:
  void Tick();

  IvgClock& FClock;
  std::unique_ptr<IvgTimer> FTimer;
  std::vector<TvgAnimation*> FAniList;
  // The scene clock's tick count at the last tick. Time advances by the difference, so the
  // tick count's wrap after 49.7 days goes unnoticed.
  std::uint32_t FLastTick;
  // The time of the last tick since the clock began, and since the tick before, in seconds.
  double FTime = 0;
  double FDeltaTime = 0;
};

}  // namespace vd
