#include "scene/Buttons.h"

#include "scene/Triggers.h"

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

void TvgBitmapStateButton::MouseEnter() {
  TvgCustomButton::MouseEnter();
  Repaint();
}

void TvgBitmapStateButton::MouseLeave() {
  TvgCustomButton::MouseLeave();
  Repaint();
}

void TvgBitmapStateButton::StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  TvgCustomButton::StartTriggerAnimation(AInstance, ATrigger);
  if (TriggerNamed(ATrigger, u"IsPressed")) Repaint();
}

void TvgBitmapStateButton::Paint(IvgCanvas& canvas) {
  const TvgBitmap& picture = IsPressed() ? *FBitmapDown : IsMouseOver() ? *FBitmapHot : *FBitmap;
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  const TvgRect whole{0, 0, static_cast<float>(picture.Width()), static_cast<float>(picture.Height())};
  TvgRect target = whole;
  if (FitRect(target, LocalRect()) <= 1) {
    target = whole;
    CenterRect(target, LocalRect());
  }
  canvas.DrawBitmap(picture, whole, target, AbsoluteOpacity(), true);
}

}  // namespace vd
