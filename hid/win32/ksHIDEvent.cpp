#include "hid/win32/ksHIDEvent.h"

#include <dbt.h>

#include <cstdint>
#include <optional>

#include "hid/DeviceChange.h"
#include "hid/win32/HidInterfaceClass.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Window.h"

namespace vd::win32 {

namespace {

constexpr UINT_PTR kStartTimerId = 1;
constexpr UINT kStartDelayMs = 1500;

// The device type of the broadcast header that arrivals and removals carry, when there is a
// header to read.
std::optional<std::uint32_t> BroadcastDeviceType(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return std::nullopt;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_size < sizeof(DEV_BROADCAST_HDR)) return std::nullopt;
  return header->dbch_devicetype;
}

}  // namespace

class TksHIDEvent::TListenerWindow : public TWindowBase {
public:
  explicit TListenerWindow(TksHIDEvent& owner) : FOwner(owner) {
    // A top-level window: broadcasts such as the device-tree change never reach message-only
    // windows.
    CreateHandle({.ClassName = L"TksHIDEventWindow", .ExStyle = WS_EX_TOOLWINDOW});
  }
  ~TListenerWindow() override { DestroyHandle(); }

private:
  // An error raised by a handler is shown by the window base, and the message counts as
  // handled with result 0.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DEVICECHANGE) {
      FOwner.WMDeviceChange(wParam, lParam);
      return 0;
    }
    if (message == WM_TIMER && wParam == kStartTimerId) {
      FOwner.TimerToStartMonitorTimer();
      return 0;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
  }

  TksHIDEvent& FOwner;
};

TksHIDEvent::TksHIDEvent(TComponent* AOwner)
    : TComponent(AOwner), FWindowHandle(std::make_unique<TListenerWindow>(*this)) {
  RegisterHidNotification();
  SetTimer(WindowHandle(), kStartTimerId, kStartDelayMs, nullptr);
}

TksHIDEvent::~TksHIDEvent() {
  FNotification.reset();
  FWindowHandle.reset();
}

const TClassInfo& TksHIDEvent::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TksHIDEvent>(u"TksHIDEvent", TComponent::StaticClassInfo())
          .Creatable()
          .Event(u"OnDeviceArrival", &TksHIDEvent::OnDeviceArrival, &TksHIDEvent::SetOnDeviceArrival)
          .Event(u"OnDeviceRemove", &TksHIDEvent::OnDeviceRemove, &TksHIDEvent::SetOnDeviceRemove)
          .Event(u"OnDeviceChange", &TksHIDEvent::OnDeviceChange, &TksHIDEvent::SetOnDeviceChange)
          .Build();
  return info;
}

HWND TksHIDEvent::WindowHandle() const { return FWindowHandle->Handle(); }

void TksHIDEvent::RegisterHidNotification() {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClass;
  FNotification.reset(RegisterDeviceNotificationW(WindowHandle(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (!FNotification) platform::Platform().UI->DebugOutput(u"HID device notifications could not be registered");
  // Without notifications the device-tree change and the start-up arrival still come.
  PostMessageW(WindowHandle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, static_cast<LPARAM>(0xFFFFFFFF));
}

void TksHIDEvent::WMDeviceChange(WPARAM wParam, LPARAM lParam) {
  switch (ClassifyDeviceChange(static_cast<std::uint32_t>(wParam), BroadcastDeviceType(wParam, lParam))) {
    case TDeviceChange::Arrival:
      FOnDeviceArrival(this);
      break;
    case TDeviceChange::RemoveComplete:
      FOnDeviceRemove(this);
      break;
    case TDeviceChange::NodesChanged:
      FOnDeviceChange(this);
      break;
    case TDeviceChange::None:
      break;
  }
}

void TksHIDEvent::TimerToStartMonitorTimer() {
  KillTimer(WindowHandle(), kStartTimerId);
  FOnDeviceArrival(this);
}

}  // namespace vd::win32
