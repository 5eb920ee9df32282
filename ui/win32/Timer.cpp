#include "ui/win32/Timer.h"

#include "platform/win32/SystemError.h"

namespace vd::win32 {

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTimer>(u"TTimer", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Boolean(u"Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                     .Default(true)
                                     .Integer(u"Interval", &TTimer::Interval, &TTimer::SetInterval)
                                     .Default(1000)
                                     .Event(u"OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer)
                                     .Build();
  return info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() { TMainThreadDispatcher::Instance().Cancel(this); }

void TTimer::SetEnabled(bool value) {
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t value) {
  FInterval = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
  FOnTimer = std::move(value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  TMainThreadDispatcher& dispatcher = TMainThreadDispatcher::Instance();
  if (FEnabled && FInterval > 0 && FOnTimer.Assigned()) {
    if (!dispatcher.StartTimer(this, FInterval, [this] { FOnTimer(this); })) RaiseLastOSError(u"SetTimer");
  } else
    dispatcher.StopTimer(this);
}

}  // namespace vd::win32
