#include "ui/win32/Form.h"

#include "core/Application.h"
#include "core/StoredForm.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/StringConversions.h"
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
  ForEachScene([](TvgScene& scene) { scene.Showing(); });
  ShowWindow(Handle(), SW_SHOW);
}

void TForm::ShowInactive() {
  ForEachScene([](TvgScene& scene) { scene.Showing(); });
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
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
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace vd::win32
