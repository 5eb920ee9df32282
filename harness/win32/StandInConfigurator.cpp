#include "harness/win32/StandInConfigurator.h"

namespace vd::e2e {

TStandInConfigurator::TStandInConfigurator() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TVDCfgMain";
  RegisterClassExW(&windowClass);
  FWindow = CreateWindowExW(0, L"TVDCfgMain", L"VD_CONFIG_EX", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
}

TStandInConfigurator::~TStandInConfigurator() { DestroyWindow(FWindow); }

int TStandInConfigurator::CountOf(UINT message) const {
  int count = 0;
  for (const auto& received : FReceived) count += received.Message == message;
  return count;
}

LRESULT CALLBACK TStandInConfigurator::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TStandInConfigurator*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message >= 7035 && message <= 7040) {
    self->FReceived.push_back(TReceivedMessage{message, wParam, lParam, InSendMessage() != FALSE});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vd::e2e
