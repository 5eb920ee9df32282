#include "scene/win32/Win32Clock.h"

#include <windows.h>

#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/SystemError.h"

namespace vd::win32 {

namespace {

// The dispatcher knows the timer by its address.
class TDispatcherTimer : public IvgTimer {
public:
  TDispatcherTimer(std::uint32_t interval, std::function<void()> onTick) {
    if (!TMainThreadDispatcher::Instance().StartTimer(this, interval, std::move(onTick))) RaiseLastOSError(u"SetTimer");
  }
  ~TDispatcherTimer() override { TMainThreadDispatcher::Instance().StopTimer(this); }
  TDispatcherTimer(const TDispatcherTimer&) = delete;
  TDispatcherTimer& operator=(const TDispatcherTimer&) = delete;
};

}  // namespace

TvgWin32Clock::TvgWin32Clock() {
  SetSceneClock(this);
  SetSceneMessagePump(this);
}

TvgWin32Clock::~TvgWin32Clock() {
  if (SceneClock() == this) SetSceneClock(nullptr);
  if (SceneMessagePump() == this) SetSceneMessagePump(nullptr);
}

std::uint32_t TvgWin32Clock::TickCount() { return GetTickCount(); }

std::unique_ptr<IvgTimer> TvgWin32Clock::StartTimer(std::uint32_t interval, std::function<void()> onTick) {
  return std::make_unique<TDispatcherTimer>(interval, std::move(onTick));
}

void TvgWin32Clock::WaitAndProcessMessages() {
  // Messages already queued, seen or not, end the wait at once; a timer that falls due
  // counts as one.
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  win32::ProcessMessages();
}

}  // namespace vd::win32
