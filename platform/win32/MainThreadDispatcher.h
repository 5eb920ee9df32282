#pragma once
// The main thread's dispatcher: any thread posts a task, the main thread runs it from its
// message loop, in the order posted. Timers run their ticks the same way. Tasks and timers
// belong to an owner (any address), which cancels them when it goes. Errors that escape a
// task go to the window error handler.
//
// The dispatcher is made by its first use, which must be on the main thread: components that
// post from other threads use it when they are created. ShutDown drains it: queued tasks are
// dropped without running, timers stop, and later posts are refused.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "platform/win32/Window.h"

namespace vd::win32 {

// The system's SetTimer, which the dispatcher's timers go through; tests replace it to see a
// refused timer. Answers the one it replaces.
using TSetTimer = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
TSetTimer ReplaceSetTimerFunction(TSetTimer function);

class TMainThreadDispatcher : private TWindowBase {
public:
  using TTask = std::function<void()>;

  static TMainThreadDispatcher& Instance();

  // Any thread. False when the task could not be queued (shut down, or the wake-up could not
  // be posted); the task is then dropped.
  bool Post(const void* owner, TTask task);
  // Main thread: drops the owner's queued tasks and stops its timer.
  void Cancel(const void* owner);

  // Main thread: runs `tick` every `intervalMs` milliseconds until stopped; one timer per
  // owner, started again from now when it runs already. False when the system gives no
  // timer (GetLastError says why); the owner then has none.
  bool StartTimer(const void* owner, std::uint32_t intervalMs, TTask tick);
  void StopTimer(const void* owner);

  // Main thread: drains the dispatcher (see above).
  void ShutDown();

private:
  struct TQueued {
    const void* Owner;
    TTask Task;
  };

  TMainThreadDispatcher();
  ~TMainThreadDispatcher() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RunNextTask();
  void RunTick(UINT_PTR timerId);

  std::mutex FLock;  // guards FQueue and FShutDown
  std::deque<TQueued> FQueue;
  bool FShutDown = false;
  std::map<const void*, UINT_PTR> FTimerIds;  // main thread only, as are the two below
  std::map<UINT_PTR, TTask> FTicks;
  UINT_PTR FNextTimerId = 1;
};

}  // namespace vd::win32
