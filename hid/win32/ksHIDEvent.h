#pragma once
// TksHIDEvent tells its owner when HID device interfaces arrive or go, so that reading can be
// restarted after the mouse is plugged in. A hidden top-level window, registered for the
// HID interface class, turns WM_DEVICECHANGE into OnDeviceArrival, OnDeviceRemove and
// OnDeviceChange; one extra OnDeviceArrival comes 1500 ms after creation, which is how
// reading starts with the program. Every event is raised on the main thread with the
// component as Sender.

#include <windows.h>

#include <memory>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"

namespace vd::win32 {

// Published: OnDeviceArrival, OnDeviceRemove, OnDeviceChange.
class TksHIDEvent : public TComponent {
public:
  explicit TksHIDEvent(TComponent* AOwner);
  ~TksHIDEvent() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const TNotifyEvent& OnDeviceArrival() const { return FOnDeviceArrival; }
  void SetOnDeviceArrival(TNotifyEvent value) { FOnDeviceArrival = std::move(value); }
  const TNotifyEvent& OnDeviceRemove() const { return FOnDeviceRemove; }
  void SetOnDeviceRemove(TNotifyEvent value) { FOnDeviceRemove = std::move(value); }
  const TNotifyEvent& OnDeviceChange() const { return FOnDeviceChange; }
  void SetOnDeviceChange(TNotifyEvent value) { FOnDeviceChange = std::move(value); }

  // The hidden window that receives the notifications.
  HWND WindowHandle() const;
  // Whether the registration for HID interface notifications succeeded.
  bool Registered() const { return FNotification != nullptr; }

protected:
  // WM_DEVICECHANGE with its event code and data.
  virtual void WMDeviceChange(WPARAM wParam, LPARAM lParam);

private:
  class TListenerWindow;
  struct TUnregisterNotification {
    void operator()(HDEVNOTIFY notification) const { UnregisterDeviceNotification(notification); }
  };

  void RegisterHidNotification();
  void TimerToStartMonitorTimer();

  std::unique_ptr<TListenerWindow> FWindowHandle;
  TNotifyEvent FOnDeviceArrival;
  TNotifyEvent FOnDeviceRemove;
  TNotifyEvent FOnDeviceChange;
  std::unique_ptr<void, TUnregisterNotification> FNotification;
};

}  // namespace vd::win32
