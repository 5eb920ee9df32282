#pragma once
// Buttons: text controls that capture the mouse when pressed, take the focus and translate
// their text. A press with the left button makes the button pressed while the mouse stays
// on it (or toggles a button that stays pressed), raising "IsPressed" for its style's
// animations; held down, a repeating button clicks again and again. A new button is
// 80 × 22; a bitmap state button, which shows one of three pictures by its mouse state,
// 64 × 64.

#include <cstdint>
#include <memory>

#include "scene/Clock.h"
#include "scene/controls/TextControls.h"
#include "scene/paint/Bitmap.h"

namespace vd {

class TvgCustomButton : public TvgTextControl {
public:
  explicit TvgCustomButton(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  bool IsPressed() const { return FIsPressed; }
  void SetIsPressed(bool value);
  // Whether a press toggles IsPressed instead of holding it while the mouse is down.
  bool StaysPressed() const { return FStaysPressed; }
  void SetStaysPressed(bool value) { FStaysPressed = value; }
  // Whether holding the button down clicks it again and again.
  bool Repeat() const { return FRepeat; }
  void SetRepeat(bool value) { FRepeat = value; }
  // The result a click gives the form that holds the scene; 0 gives none.
  std::int32_t ModalResult() const { return FModalResult; }
  void SetModalResult(std::int32_t value) { FModalResult = value; }

  void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
  void MouseMove(TShiftState Shift, float X, float Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;
  // The press ends as a release would end it: no longer pressed, no more repeats.
  void MouseCaptureLost() override;
  // Hands the modal result to the form first.
  void Click() override;
  // A click follows.
  void DblClick() override;

protected:
  TvgPoint DefaultSize() const override { return {80, 22}; }
  bool DefaultAutoCapture() const override { return true; }
  bool DefaultAutoTranslate() const override { return true; }
  // And "IsPressed".
  void RaiseStateTriggers() override;

private:
  // Sets IsPressed and tells the style.
  void Press(bool value);
  // The end of a press with the left button, by its release or otherwise.
  void EndPress();

  // Between a press with the left button and its release.
  bool FPressing = false;
  bool FIsPressed = false;
  std::int32_t FModalResult = 0;
  bool FStaysPressed = false;
  std::unique_ptr<IvgTimer> FRepeatTimer;
  bool FRepeat = false;
};

// A push button of the button style ("buttonstyle").
class TvgButton : public TvgCustomButton {
public:
  explicit TvgButton(TComponent* AOwner) : TvgCustomButton(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

// A button drawn as a picture: BitmapDown while pressed, else BitmapHot while the mouse is
// over it, else Bitmap; scaled down to fit when larger than the button, else at its
// natural size in the middle. Its text comes from its style, drawn over the picture.
class TvgBitmapStateButton : public TvgCustomButton {
public:
  explicit TvgBitmapStateButton(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Shown normally, while the mouse is over the button, and while it is pressed.
  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  TvgBitmap* BitmapHot() const { return FBitmapHot.get(); }
  TvgBitmap* BitmapDown() const { return FBitmapDown.get(); }

  // The picture changes with these.
  void MouseEnter() override;
  void MouseLeave() override;
  void StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) override;

protected:
  TvgPoint DefaultSize() const override { return {64, 64}; }
  void Paint(IvgCanvas& canvas) override;

private:
  std::unique_ptr<TvgBitmap> FBitmap = std::make_unique<TvgBitmap>();
  std::unique_ptr<TvgBitmap> FBitmapHot = std::make_unique<TvgBitmap>();
  std::unique_ptr<TvgBitmap> FBitmapDown = std::make_unique<TvgBitmap>();
};

}  // namespace vd
