#include "scene/controls/Buttons.h"

#include "scene/animation/Triggers.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

// A repeating button held down clicks after this long, then at this interval.
constexpr std::uint32_t kRepeatDelay = 500;
constexpr std::uint32_t kRepeatInterval = 100;

}  // namespace

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

void TvgCustomButton::Press(bool value) {
  SetIsPressed(value);
  RaiseTrigger(u"IsPressed");
}

// Handlers run by the base class and by the triggers may free the button or its parent: it
// goes no further then.
void TvgCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
  const TvgObjectGuard self(this);
  TvgTextControl::MouseDown(Button, Shift, X, Y);
  if (!self.Alive() || Button != mbLeft) return;
  FPressing = true;
  if (FStaysPressed) {
    Press(!FIsPressed);
    return;
  }
  if (FRepeat)
    if (IvgClock* clock = SceneClock())
      FRepeatTimer = clock->StartTimer(kRepeatDelay, [this, clock] {
        FRepeatTimer = clock->StartTimer(kRepeatInterval, [this] { Click(); });
        Click();
      });
  Press(true);
}

void TvgCustomButton::MouseMove(TShiftState Shift, float X, float Y) {
  const TvgObjectGuard self(this);
  TvgTextControl::MouseMove(Shift, X, Y);
  if (!self.Alive() || !(Shift & ssLeft) || !FPressing || FStaysPressed) return;
  const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
  if (inside != FIsPressed) Press(inside);
}

void TvgCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
  const TvgObjectGuard self(this);
  EndPress();
  if (self.Alive()) TvgTextControl::MouseUp(Button, Shift, X, Y);
}

void TvgCustomButton::MouseCaptureLost() {
  const TvgObjectGuard self(this);
  EndPress();
  if (self.Alive()) TvgTextControl::MouseCaptureLost();
}

void TvgCustomButton::EndPress() {
  if (!FPressing) return;
  FRepeatTimer.reset();
  FPressing = false;
  if (!FStaysPressed) Press(false);
}

void TvgCustomButton::Click() {
  if (FModalResult != 0 && Scene()) Scene()->SetModalResult(FModalResult);
  TvgTextControl::Click();
}

void TvgCustomButton::DblClick() {
  const TvgObjectGuard self(this);
  TvgTextControl::DblClick();
  if (self.Alive()) Click();
}

void TvgCustomButton::RaiseStateTriggers() {
  const TvgObjectGuard self(this);
  TvgTextControl::RaiseStateTriggers();
  if (self.Alive()) RaiseTrigger(u"IsPressed");
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

// The handlers and animations the base runs may free the button.
void TvgBitmapStateButton::MouseEnter() {
  const TvgObjectGuard self(this);
  TvgCustomButton::MouseEnter();
  if (self.Alive()) Repaint();
}

void TvgBitmapStateButton::MouseLeave() {
  const TvgObjectGuard self(this);
  TvgCustomButton::MouseLeave();
  if (self.Alive()) Repaint();
}

void TvgBitmapStateButton::StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) {
  const TvgObjectGuard self(this);
  TvgCustomButton::StartTriggerAnimation(AInstance, ATrigger);
  if (self.Alive() && TriggerNamed(ATrigger, u"IsPressed")) Repaint();
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
