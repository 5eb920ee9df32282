// The toolkit's clock on Windows: a wait sleeps between the messages it waits for, and a timer
// the system refuses is reported.

#include "scene/win32/Win32Clock.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "scene/CustomScene.h"
#include "scene/animation/AnimateProperty.h"
#include "scene/controls/Text.h"
#include "scene/win32/SceneWindow.h"

namespace vd::win32 {
namespace {

// Counts the waits of the Windows clock's message pump, which it stands in front of.
class TCountingPump : public IvgMessagePump {
public:
  explicit TCountingPump(TvgWin32Clock& clock) : FClock(clock) { SetSceneMessagePump(this); }
  ~TCountingPump() override { SetSceneMessagePump(&FClock); }
  TCountingPump(const TCountingPump&) = delete;
  TCountingPump& operator=(const TCountingPump&) = delete;
  void WaitAndProcessMessages() override {
    ++FWaits;
    FClock.WaitAndProcessMessages();
  }
  int FWaits = 0;

private:
  TvgWin32Clock& FClock;
};

TEST(Win32ClockTest, WaitingForAnAnimationSleepsUntilItsTicks) {
  TvgWin32Clock clock;
  TCountingPump pump(clock);
  TComponent owner(nullptr);
  TvgCustomScene scene(nullptr);
  auto* text = new TvgText(&owner);
  scene.AddObject(text);
  const DWORD start = GetTickCount();
  AnimateFloatWait(*text, u"Opacity", 0.5f, 0.5f);
  EXPECT_EQ(text->Opacity(), 0.5f);
  EXPECT_GE(GetTickCount() - start, 450u);
  // About one wake-up for each of the 15 ticks of 33 ms; a wait that polled would come back
  // thousands of times.
  EXPECT_LT(pump.FWaits, 60);
}

UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

// A timer the system refuses is reported: a wait for an animation that it would have run
// ends in that error, not in a wait for ever.
TEST(Win32ClockTest, ATimerTheSystemRefusesIsReported) {
  const TvgWin32Clock clock;
  TComponent owner(nullptr);
  TvgCustomScene scene(nullptr);
  auto* text = new TvgText(&owner);
  scene.AddObject(text);
  const TSetTimer system = ReplaceSetTimerFunction(&RefuseTimer);
  std::u16string message;
  try {
    AnimateFloatWait(*text, u"Opacity", 0.5f, 0.5f);
  } catch (const Exception& error) {
    message = error.Message();
  }
  ReplaceSetTimerFunction(system);
  EXPECT_EQ(message.rfind(u"SetTimer failed with error 8: ", 0), 0u) << std::string(message.begin(), message.end());
}

// A scene window draws everything once the message loop runs, on a timer: one the system
// refuses is reported, not left to leave the window unpainted.
TEST(Win32ClockTest, AScenesFirstDrawingOnARefusedTimerIsReported) {
  TvgScene scene(nullptr);
  const TSetTimer system = ReplaceSetTimerFunction(&RefuseTimer);
  EXPECT_THROW(scene.Loaded(), Exception);
  ReplaceSetTimerFunction(system);
}

}  // namespace
}  // namespace vd::win32
