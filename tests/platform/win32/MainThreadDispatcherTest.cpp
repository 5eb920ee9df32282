// The main thread's dispatcher: tasks from other threads, timers, cancelling, draining.

#include "platform/win32/MainThreadDispatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/win32/MessageLoop.h"

namespace vd::win32 {
namespace {

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    ProcessMessages();
    Sleep(1);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 5000) return false;
    ProcessMessages();
    Sleep(1);
  }
  return true;
}

TMainThreadDispatcher& Dispatcher() { return TMainThreadDispatcher::Instance(); }

TEST(MainThreadDispatcherTest, TasksFromAnyThreadRunOnTheMainThreadInTheOrderPosted) {
  Dispatcher();  // made on the main thread
  const DWORD mainThread = GetCurrentThreadId();
  std::vector<int> ran;
  bool elsewhere = false;
  std::thread poster([&] {
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(Dispatcher().Post(&ran, [&, i] {
        ran.push_back(i);
        if (GetCurrentThreadId() != mainThread) elsewhere = true;
      }));
  });
  poster.join();
  EXPECT_TRUE(ran.empty());  // nothing runs until the main thread handles its messages
  ASSERT_TRUE(PumpUntil([&] { return ran.size() == 3; }));
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(elsewhere);
}

TEST(MainThreadDispatcherTest, CancellingDropsOnlyThatOwnersTasksAndTimer) {
  int mine = 0, theirs = 0, ticks = 0;
  ASSERT_TRUE(Dispatcher().Post(&mine, [&] { ++mine; }));
  ASSERT_TRUE(Dispatcher().Post(&theirs, [&] { ++theirs; }));
  Dispatcher().StartTimer(&mine, 10, [&] { ++ticks; });
  Dispatcher().Cancel(&mine);
  ASSERT_TRUE(PumpUntil([&] { return theirs == 1; }));
  PumpFor(100);
  EXPECT_EQ(mine, 0);
  EXPECT_EQ(ticks, 0);
}

TEST(MainThreadDispatcherTest, ATimerTicksUntilItsTickStopsIt) {
  int ticks = 0;
  Dispatcher().StartTimer(&ticks, 10, [&] {
    if (++ticks == 3) Dispatcher().StopTimer(&ticks);
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
  PumpFor(100);
  EXPECT_EQ(ticks, 3);
}

UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

TEST(MainThreadDispatcherTest, ATimerTheSystemRefusesIsAnsweredAsSoAndNeverTicks) {
  int ticks = 0;
  const TSetTimer system = ReplaceSetTimerFunction(&RefuseTimer);
  const bool started = Dispatcher().StartTimer(&ticks, 10, [&] { ++ticks; });
  const DWORD error = GetLastError();
  ReplaceSetTimerFunction(system);
  EXPECT_FALSE(started);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  PumpFor(100);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(Dispatcher().StartTimer(&ticks, 10, [&] { ++ticks; }));
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
  Dispatcher().StopTimer(&ticks);
}

int gHandledErrors = 0;

TEST(MainThreadDispatcherTest, AnErrorOfATaskGoesToTheWindowErrorHandlerAndTheNextTaskRuns) {
  SetWindowErrorHandler([] {
    try {
      throw;
    } catch (const std::runtime_error&) {
      ++gHandledErrors;
    }
  });
  bool next = false;
  ASSERT_TRUE(Dispatcher().Post(&next, [] { throw std::runtime_error("task"); }));
  ASSERT_TRUE(Dispatcher().Post(&next, [&] { next = true; }));
  const bool ran = PumpUntil([&] { return next; });
  SetWindowErrorHandler(nullptr);
  EXPECT_TRUE(ran);
  EXPECT_EQ(gHandledErrors, 1);
}

// Last: the dispatcher stays drained for the rest of the process.
TEST(MainThreadDispatcherTest, ShutDownDropsQueuedTasksAndRefusesNewOnes) {
  int ran = 0;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> watch = held;
  ASSERT_TRUE(Dispatcher().Post(&ran, [&ran, held] { ++ran; }));
  held.reset();
  Dispatcher().ShutDown();
  EXPECT_TRUE(watch.expired());  // what the dropped task held is freed
  EXPECT_FALSE(Dispatcher().Post(&ran, [&] { ++ran; }));
  PumpFor(50);
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace vd::win32
