#include "platform/win32/Dpi.h"

#include "platform/LibraryBinding.h"

namespace vd::win32 {

namespace {

constexpr UINT kDefaultDpi = 96;
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI the user's scale gives

// A function of user32.dll, which is loaded with the program (it links it); none where the
// system lacks it.
template <class F>
F* User32Function(const char* name) {
  return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT WindowDpi(HWND window) {
  if (auto* forWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow")) {
    const UINT dpi = forWindow(window);
    if (dpi != 0) return dpi;
  }
  return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

UINT MonitorDpi(HMONITOR monitor) {
  HRESULT(WINAPI * forMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
  const TLibraryBinding shcore(u"shcore.dll", platform::TLibrarySearch::SystemFolderOnly,
                               {{"GetDpiForMonitor", forMonitor}});
  UINT x = 0, y = 0;
  if (!monitor || !shcore.Bound() || FAILED(forMonitor(monitor, kEffectiveDpi, &x, &y)) || x == 0) return kDefaultDpi;
  return x;
}

int SmallIconSize(UINT dpi) {
  if (auto* forDpi = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi")) return forDpi(SM_CXSMICON, dpi);
  return GetSystemMetrics(SM_CXSMICON);
}

}  // namespace vd::win32
