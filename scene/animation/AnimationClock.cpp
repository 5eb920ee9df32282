#include "scene/animation/AnimationClock.h"

#include <algorithm>

#include "base/Strings.h"
#include "scene/animation/Animations.h"

namespace vd {

namespace {

std::unique_ptr<TvgAniThread> gAniThread;

// An animation bound as "caret" (a text cursor's blink) is advanced on every third tick.
bool IsCaret(const TvgAnimation& animation) { return SameTextAscii(animation.BindingName(), u"caret"); }

}  // namespace

TvgAniThread* TvgAniThread::Instance() {
  if (!gAniThread)
    if (IvgClock* clock = SceneClock()) {
      gAniThread = std::make_unique<TvgAniThread>(*clock);
      // Its timer belongs to that clock.
      SetSceneClockChangeHandler(&TvgAniThread::Reset);
    }
  return gAniThread.get();
}

TvgAniThread* TvgAniThread::Current() { return gAniThread.get(); }

void TvgAniThread::Reset() { gAniThread.reset(); }

TvgAniThread::TvgAniThread(IvgClock& clock) : FClock(clock), FLastTick(clock.TickCount()) {}

void TvgAniThread::AddAnimation(TvgAnimation* animation) {
  if (Contains(animation)) return;
  if (!FTimer) {
    // An idle clock does not tick; time resumes from now, not from the last tick. A timer
    // that cannot start raises before the animation joins a list that would never advance.
    FLastTick = FClock.TickCount();
    FTimer = FClock.StartTimer(kInterval, [this] { Tick(); });
  }
  FAniList.push_back(animation);
}

void TvgAniThread::RemoveAnimation(TvgAnimation* animation) {
  std::erase(FAniList, animation);
  // The timer may be the one calling: a timer's callback may end it.
  if (FAniList.empty()) FTimer.reset();
}

bool TvgAniThread::Contains(const TvgAnimation* animation) const {
  return std::find(FAniList.begin(), FAniList.end(), animation) != FAniList.end();
}

void TvgAniThread::Tick() {
  const std::uint32_t tick = FClock.TickCount();
  const std::uint32_t elapsed = tick - FLastTick;
  if (elapsed == 0) return;
  FLastTick = tick;
  FDeltaTime = elapsed / 1000.0;
  FTime += FDeltaTime;
  // From the last to the first; animations that end leave the list meanwhile, so the
  // position is held inside it.
  for (auto i = std::ssize(FAniList) - 1; i >= 0; --i) {
    i = std::min(i, std::ssize(FAniList) - 1);
    if (i < 0) break;
    TvgAnimation* animation = FAniList[static_cast<std::size_t>(i)];
    if (IsCaret(*animation)) {
      const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(animation->Tag()) + 1);
      animation->SetTag(count);
      if (count % 3 != 0) continue;
    }
    animation->ProcessTick(static_cast<float>(FTime), static_cast<float>(FDeltaTime));
  }
}

}  // namespace vd
