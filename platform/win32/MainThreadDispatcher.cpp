#include "platform/win32/MainThreadDispatcher.h"

#include <utility>

namespace vd::win32 {

namespace {

constexpr UINT kRunTaskMessage = WM_APP + 1;

TSetTimer& SetTimerCall() {
  static TSetTimer function = &SetTimer;
  return function;
}

}  // namespace

TSetTimer ReplaceSetTimerFunction(TSetTimer function) { return std::exchange(SetTimerCall(), function); }

TMainThreadDispatcher& TMainThreadDispatcher::Instance() {
  static TMainThreadDispatcher dispatcher;
  return dispatcher;
}

TMainThreadDispatcher::TMainThreadDispatcher() {
  CreateHandle({.ClassName = L"TMainThreadDispatcher", .Parent = HWND_MESSAGE});
}

TMainThreadDispatcher::~TMainThreadDispatcher() { DestroyHandle(); }

bool TMainThreadDispatcher::Post(const void* owner, TTask task) {
  const std::lock_guard<std::mutex> guard(FLock);
  if (FShutDown) return false;
  FQueue.push_back(TQueued{owner, std::move(task)});
  // One wake-up per task; a wake-up that finds the queue empty (its task was cancelled) does
  // nothing.
  if (PostMessageW(Handle(), kRunTaskMessage, 0, 0)) return true;
  FQueue.pop_back();
  return false;
}

void TMainThreadDispatcher::Cancel(const void* owner) {
  StopTimer(owner);
  const std::lock_guard<std::mutex> guard(FLock);
  std::erase_if(FQueue, [owner](const TQueued& queued) { return queued.Owner == owner; });
}

bool TMainThreadDispatcher::StartTimer(const void* owner, std::uint32_t intervalMs, TTask tick) {
  StopTimer(owner);
  const UINT_PTR id = FNextTimerId++;
  if (!SetTimerCall()(Handle(), id, intervalMs, nullptr)) return false;
  FTimerIds[owner] = id;
  FTicks[id] = std::move(tick);
  return true;
}

void TMainThreadDispatcher::StopTimer(const void* owner) {
  const auto it = FTimerIds.find(owner);
  if (it == FTimerIds.end()) return;
  KillTimer(Handle(), it->second);
  FTicks.erase(it->second);
  FTimerIds.erase(it);
}

void TMainThreadDispatcher::ShutDown() {
  for (const auto& [id, tick] : FTicks) KillTimer(Handle(), id);
  FTicks.clear();
  FTimerIds.clear();
  std::deque<TQueued> dropped;
  {
    const std::lock_guard<std::mutex> guard(FLock);
    FShutDown = true;
    dropped.swap(FQueue);
  }
  // The tasks go outside the lock: what they hold may post when it is freed.
}

LRESULT TMainThreadDispatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kRunTaskMessage:
      RunNextTask();
      return 0;
    case WM_TIMER:
      RunTick(wParam);
      return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

void TMainThreadDispatcher::RunNextTask() {
  TTask task;
  {
    const std::lock_guard<std::mutex> guard(FLock);
    if (FQueue.empty()) return;
    task = std::move(FQueue.front().Task);
    FQueue.pop_front();
  }
  task();
}

void TMainThreadDispatcher::RunTick(UINT_PTR timerId) {
  const auto it = FTicks.find(timerId);
  if (it == FTicks.end()) return;
  // A copy: the tick may stop or restart its own timer.
  const TTask tick = it->second;
  tick();
}

}  // namespace vd::win32
