#include "scene/Buttons.h"

namespace vd {

TvgCustomButton::TvgCustomButton(TComponent* AOwner) : TvgTextControl(AOwner) {
  ResetSize();
  SetAutoCapture(true);
  SetAutoTranslate(true);
  SetCanFocused(true);
}

const TClassInfo& TvgCustomButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgCustomButton>(u"TvgCustomButton", TvgTextControl::StaticClassInfo())
          .Creatable()
          .Boolean(u"IsPressed", &TvgCustomButton::IsPressed, &TvgCustomButton::SetIsPressed)
          .Default(false)
          .Integer(u"ModalResult", &TvgCustomButton::ModalResult, &TvgCustomButton::SetModalResult)
          .Default(0)
          .Boolean(u"Repeat", &TvgCustomButton::Repeat, &TvgCustomButton::SetRepeat)
          .Default(false)
          .Boolean(u"StaysPressed", &TvgCustomButton::StaysPressed, &TvgCustomButton::SetStaysPressed)
          .Default(false)
          .Build();
  return info;
}

void TvgCustomButton::SetIsPressed(bool value) {
  if (value == FIsPressed) return;
  FIsPressed = value;
  Repaint();
}

void TvgCustomButton::RaiseStateTriggers() {
  TvgTextControl::RaiseStateTriggers();
  RaiseTrigger(u"IsPressed");
}

const TClassInfo& TvgButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgButton>(u"TvgButton", TvgCustomButton::StaticClassInfo()).Creatable().Build();
  return info;
}

TvgBitmapStateButton::TvgBitmapStateButton(TComponent* AOwner) : TvgCustomButton(AOwner) {
  ResetSize();
  FBitmap->OnChange = [this] { Repaint(); };
}

const TClassInfo& TvgBitmapStateButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgBitmapStateButton>(u"TvgBitmapStateButton", TvgCustomButton::StaticClassInfo())
          .Creatable()
          .Object(u"Bitmap", &TvgBitmapStateButton::Bitmap)
          .Object(u"BitmapHot", &TvgBitmapStateButton::BitmapHot)
          .Object(u"BitmapDown", &TvgBitmapStateButton::BitmapDown)
          .Build();
  return info;
}

}  // namespace vd
