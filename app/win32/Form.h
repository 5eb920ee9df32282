#pragma once
// A form: a component that owns other components and has a top-level window whose class
// name is the form's class name. Closing the application's main form ends the message loop.

#include <string>

#include "core/Component.h"
#include "platform/win32/Window.h"

namespace vd::win32 {

class TForm : public TComponent, public TWindowBase {
public:
  explicit TForm(TComponent* AOwner) : TComponent(AOwner) {}

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& value);
  bool Visible() const;
  void Show();
  void Hide();

protected:
  // Creates the hidden, borderless window, centred on the desktop, off the task bar.
  void CreateFormHandle(int clientWidth, int clientHeight);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  std::u16string FCaption;
};

}  // namespace vd::win32
