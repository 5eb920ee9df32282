#include "app/win32/Form.h"

#include "platform/win32/MessageLoop.h"

namespace vd::win32 {

void TForm::SetCaption(const std::u16string& value) {
  FCaption = value;
  if (Handle()) SetWindowTextW(Handle(), W(FCaption));
}

bool TForm::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void TForm::Show() { ShowWindow(Handle(), SW_SHOW); }

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TForm::CreateFormHandle(int clientWidth, int clientHeight) {
  const std::u16string className(ClassName());
  TCreateParams params{W(className)};
  params.Caption = W(FCaption);
  params.Style = WS_POPUP | WS_SYSMENU;
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.Width = clientWidth;  // no border: the window is its client area
  params.Height = clientHeight;
  params.X = (GetSystemMetrics(SM_CXSCREEN) - clientWidth) / 2;
  params.Y = (GetSystemMetrics(SM_CYSCREEN) - clientHeight) / 2;
  CreateHandle(params);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The form is the application's main form: closing it ends the application.
    TerminateApplication();
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
