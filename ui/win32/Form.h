#pragma once
// A form: a component created from its stored description, owning the components it
// describes, with a top-level window whose class name is the form's class name. Closing the
// application's main form ends the message loop.
//
// The form is drawn at the scale of the screen its window is on (DPI / 96): its window is its
// client size times the scale, and its scenes draw at that scale. It takes the scale of the
// monitor it is centred on when it is made and when it is shown, and a new one when the
// system says its window's DPI changed (dragged onto a monitor of another scale, say).

#include <functional>
#include <string>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"
#include "platform/win32/Window.h"

namespace vd::win32 {

class TvgScene;

// Published: Caption, ClientWidth, ClientHeight, OnCreate, OnDestroy.
class TForm : public TComponent, public TWindowBase {
public:
  explicit TForm(TComponent* AOwner) : TComponent(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& value);
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int value) { FClientWidth = value; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int value) { FClientHeight = value; }
  // The client size in pixels: times the scale.
  int PixelWidth() const;
  int PixelHeight() const;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

  bool Visible() const;
  // The form's scenes draw before the window shows, and let their drawing go a while after
  // it has been hidden. Show takes the scale of the monitor the window is on; ShowInactive
  // shows the window without activating it, where and at the scale its caller put it.
  void Show();
  void ShowInactive();
  void Hide();

  // Pixels to one unit of the form: 1 until the window exists.
  float Scale() const { return FScale; }
  // Draws the form at the scale: its scenes, and its window sized to it around its centre.
  void SetScale(float scale);

protected:
  // Reads the form's stored description, runs OnCreate (an error is reported and the form
  // goes on), then creates its window: hidden, borderless, centred on the desktop, off the
  // task bar; and in it the windows of its scenes. Call it from the constructor of the form
  // class.
  void CreateForm();
  // The window's creation parameters, after the form's defaults; a form class may change them.
  virtual void CreateParams(TCreateParams& /*params*/) {}
  // Runs OnDestroy and frees the components while the form class still exists. Call it
  // from the destructor of the form class.
  void DestroyForm();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void ForEachScene(const std::function<void(TvgScene&)>& action);
  // Takes the scale of the monitor the window is on now.
  void FollowScreenScale();
  // The window's DPI changed to `dpi`, and the system suggests the place.
  void DpiChanged(UINT dpi, const RECT& suggested);

  std::u16string FCaption;
  int FClientWidth = 0;
  int FClientHeight = 0;
  float FScale = 1;
};

}  // namespace vd::win32
