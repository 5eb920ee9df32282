#include "app/win32/Timer.h"

namespace vd::win32 {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

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

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { CreateHandle(TCreateParams{L"TTimerWindow"}); }

TTimer::~TTimer() { DestroyHandle(); }

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
  KillTimer(Handle(), kTimerId);
  if (FEnabled && FInterval > 0 && FOnTimer.Assigned()) SetTimer(Handle(), kTimerId, FInterval, nullptr);
}

LRESULT TTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    FOnTimer(this);
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
