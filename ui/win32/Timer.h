#pragma once
// A timer component: raises OnTimer every Interval milliseconds on the main thread while it
// is enabled and has a handler. Its ticks come through the main thread's dispatcher. Starting
// a timer the system refuses raises the system's error.

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"
#include "platform/win32/MainThreadDispatcher.h"

namespace vd::win32 {

// Published: Enabled (default True), Interval (default 1000), OnTimer.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent value);

private:
  // Restarts the count, or stops it when the timer is off, has no interval or no handler.
  void UpdateTimer();

  bool FEnabled = true;
  std::uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
};

}  // namespace vd::win32
