#include "ui/win32/Form.h"

#include "core/Application.h"
#include "core/StoredForm.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/StringConversions.h"
#include "scene/paint/Scale.h"
#include "scene/win32/SceneWindow.h"

namespace vd::win32 {

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm>(u"TForm", TComponent::StaticClassInfo())
                                     .String(u"Caption", &TForm::Caption, &TForm::SetCaption)
                                     .Integer(u"ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
                                     .Integer(u"ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
                                     .Event(u"OnCreate", &TForm::OnCreate)
                                     .Event(u"OnDestroy", &TForm::OnDestroy)
                                     .Build();
  return info;
}

void TForm::SetCaption(const std::u16string& value) {
  FCaption = value;
  if (Handle()) SetWindowTextW(Handle(), W(FCaption));
}

bool TForm::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void TForm::Show() {
  FollowScreenScale();
  ForEachScene([](TvgScene& scene) { scene.Showing(); });
  ShowWindow(Handle(), SW_SHOW);
}

void TForm::ShowInactive() {
  ForEachScene([](TvgScene& scene) { scene.Showing(); });
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

int TForm::PixelWidth() const { return ScaledLength(FClientWidth, FScale); }
int TForm::PixelHeight() const { return ScaledLength(FClientHeight, FScale); }

void TForm::SetScale(float scale) {
  if (scale == FScale || !(scale > 0)) return;
  RECT before{};
  GetWindowRect(Handle(), &before);
  FScale = scale;
  ForEachScene([scale](TvgScene& scene) { scene.SetScale(scale); });
  const int width = PixelWidth(), height = PixelHeight();
  SetWindowPos(Handle(), nullptr, before.left + (before.right - before.left - width) / 2,
               before.top + (before.bottom - before.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::FollowScreenScale() { SetScale(ScaleForDpi(WindowDpi(Handle()))); }

void TForm::DpiChanged(UINT dpi, const RECT& suggested) {
  // A form that took the scale already (the notice, placed on the monitor under the pointer)
  // stays where it was put.
  const float scale = ScaleForDpi(dpi);
  if (scale == FScale) return;
  SetScale(scale);
  // The suggested place, with the size the scale gives (the suggested one, but for rounding).
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, PixelWidth(), PixelHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Hide() {
  ShowWindow(Handle(), SW_HIDE);
  ForEachScene([](TvgScene& scene) { scene.Hidden(); });
}

void TForm::ForEachScene(const std::function<void(TvgScene&)>& action) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* scene = dynamic_cast<TvgScene*>(Components(i))) action(*scene);
}

void TForm::CreateForm() {
  ReadStoredForm(*this);
  RunReportingErrors([this] { OnCreate(this); });
  const std::u16string className(ClassName());
  TCreateParams params{W(className)};
  params.Caption = W(FCaption);
  params.Style = WS_POPUP | WS_SYSMENU;
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.Width = FClientWidth;  // no border: the window is its client area
  params.Height = FClientHeight;
  params.X = (GetSystemMetrics(SM_CXSCREEN) - FClientWidth) / 2;
  params.Y = (GetSystemMetrics(SM_CYSCREEN) - FClientHeight) / 2;
  CreateParams(params);
  CreateHandle(params);
  // Scaled around its centre, before its scenes make their windows.
  FollowScreenScale();
  // The scenes' windows go into the form's, now that it exists; a scene that cannot make its
  // window is reported and the form goes on without it.
  ForEachScene([this](TvgScene& scene) { RunReportingErrors([&] { scene.CreateWindowIn(Handle()); }); });
}

void TForm::DestroyForm() {
  RunReportingErrors([this] { OnDestroy(this); });
  DestroyComponents();
  DestroyHandle();
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The form is the application's main form: closing it ends the application.
    TerminateApplication();
    return 0;
  }
  if (message == WM_DPICHANGED && lParam) {
    DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
