#include "platform/win32/Window.h"

#include <exception>

#include "base/Strings.h"
#include "platform/Platform.h"
#include "platform/win32/SystemError.h"

namespace vd::win32 {

namespace {

void WriteErrorToDebugOutput() {
  platform::IUserInterface* ui = platform::Platform().UI;
  if (!ui) return;
  try {
    throw;
  } catch (const std::exception& error) {
    ui->DebugOutput(FromUtf8(error.what()));
  } catch (...) {
    ui->DebugOutput(u"Unknown error");
  }
}

TWindowErrorHandler gErrorHandler = WriteErrorToDebugOutput;

}  // namespace

void SetWindowErrorHandler(TWindowErrorHandler handler) { gErrorHandler = handler ? handler : WriteErrorToDebugOutput; }

TWindowBase::~TWindowBase() { DestroyHandle(); }

void TWindowBase::CreateHandle(const TCreateParams& params) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(instance, params.ClassName, &windowClass)) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = params.ClassStyle;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = params.Icon;
    windowClass.lpszClassName = params.ClassName;
    RegisterClassExW(&windowClass);
  }
  // The window procedure takes the handle at WM_NCCREATE.
  if (!CreateWindowExW(params.ExStyle, params.ClassName, params.Caption, params.Style, params.X, params.Y, params.Width,
                       params.Height, params.Parent, nullptr, instance, this))
    RaiseLastOSError(u"CreateWindowEx");
}

void TWindowBase::DestroyHandle() {
  if (!FHandle) return;
  // From here on the window's messages no longer reach this object.
  SetWindowLongPtrW(FHandle.Get(), GWLP_USERDATA, 0);
  FHandle.Reset();
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->FHandle.Reset(window);
  }
  auto* self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle.Release();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    try {
      gErrorHandler();
    } catch (...) {
      // Reporting failed too; the error still stops here.
    }
    return 0;
  }
}

}  // namespace vd::win32
