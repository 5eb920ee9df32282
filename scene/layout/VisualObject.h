#pragma once
// TvgVisualObject: an object with a place and a size in its parent, that paints and lays
// out its aligned children (scene/layout/VisualObjectLayout.cpp). Its position is relative to its parent;
// its absolute transform maps its local coordinates (0, 0, Width, Height) to the scene's.

#include <memory>
#include <string>

#include "core/Event.h"
#include "scene/Canvas.h"
#include "scene/MouseInput.h"
#include "scene/layout/Align.h"
#include "scene/layout/Bounds.h"
#include "scene/tree/VgObject.h"

namespace vd {

// A press or release at a point in the object's local coordinates, and a move.
using TMouseEvent = TEvent<TComponent*, TMouseButton, TShiftState, float, float>;
using TMouseMoveEvent = TEvent<TComponent*, TShiftState, float, float>;

class TvgVisualObject : public TvgObject {
public:
  explicit TvgVisualObject(TComponent* AOwner);
  ~TvgVisualObject() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // --- Layout ---
  TvgAlign Align() const { return FAlign; }
  void SetAlign(TvgAlign value);
  // Inner margins: children are laid out in the local rectangle shrunk by them.
  TvgBounds* Margins() const { return FMargins.get(); }
  // Outer spacing kept around the object when its parent lays it out.
  TvgBounds* Padding() const { return FPadding.get(); }
  TvgPosition* Position() const { return FPosition.get(); }
  float Width() const { return FWidth; }
  float Height() const { return FHeight; }
  void SetWidth(float value) { SetSize(value, FHeight); }
  void SetHeight(float value) { SetSize(FWidth, value); }
  void SetSize(float width, float height);
  // The size at the end of the last layout (or when loading ended).
  float LastWidth() const { return FLastWidth; }
  float LastHeight() const { return FLastHeight; }
  bool DisableDefaultAlign() const { return FDisableDefaultAlign; }
  void SetDisableDefaultAlign(bool value) { FDisableDefaultAlign = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  // Lays the aligned children out again.
  void Realign() override;
  // Lays the children out as if the object had been resized from that size to its own.
  void RealignFrom(float lastWidth, float lastHeight);
  // While updates are nested, the object and its visual descendants do not lay out; the
  // last EndUpdate lays out again.
  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return FUpdating > 0; }

  bool Locked() const { return FLocked; }
  void SetLocked(bool value) { FLocked = value; }
  bool DesignHide() const { return FDesignHide; }
  void SetDesignHide(bool value) { FDesignHide = value; }
  float Opacity() const { return FOpacity; }
  void SetOpacity(float value);

  // --- Transform and painting ---
  TvgRect LocalRect() const { return {0, 0, FWidth, FHeight}; }
  // Where the object's local coordinates lie in its parent's.
  TvgMatrix LocalMatrix() const;
  TvgMatrix AbsoluteMatrix() const;
  TvgRect AbsoluteRect() const { return AbsoluteMatrix().Transform(LocalRect()); }
  float AbsoluteOpacity() const;
  // Reports the object's area (and the one it had when last reported) to the scene.
  void Repaint() override;
  // Paints the object with its absolute transform, then its visual children.
  void PaintTo(IvgCanvas& canvas);

  // --- Mouse and focus (scene/layout/VisualObjectMouse.cpp); X and Y are local unless said otherwise ---
  // Whether the mouse can find the object.
  bool HitTest() const { return FHitTest; }
  void SetHitTest(bool value) { FHitTest = value; }
  // Whether the object takes the mouse capture when pressed.
  bool AutoCapture() const { return FAutoCapture; }
  void SetAutoCapture(bool value) { FAutoCapture = value; }
  // Whether the children are drawn and found only inside the object.
  bool ClipChildren() const { return FClipChildren; }
  void SetClipChildren(bool value);
  TvgCursor Cursor() const { return FCursor; }
  void SetCursor(TvgCursor value) { FCursor = value; }
  // The scene shows the hint while the mouse is over the object, when ShowHint is set.
  const std::u16string& Hint() const { return FHint; }
  void SetHint(const std::u16string& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  bool IsMouseOver() const { return FIsMouseOver; }

  // Whether a press gives the object the keyboard focus.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value) { FCanFocused = value; }
  bool IsFocused() const { return FIsFocused; }
  // Gaining or losing the focus does not raise "IsFocused" on the object.
  bool DisableFocusEffect() const { return FDisableFocusEffect; }
  void SetDisableFocusEffect(bool value) { FDisableFocusEffect = value; }
  // Makes the object the scene's focused object (the previous one loses the focus).
  void SetFocus();
  // Told by the scene when the object gains or loses the focus.
  virtual void EnterFocus();
  virtual void KillFocus();

  // Whether the object and its parents let the mouse reach it.
  virtual bool AbsoluteEnabled() const;
  // A point of the scene in the object's local coordinates.
  TvgPoint AbsoluteToLocal(TvgPoint point) const;
  // Whether a point of the scene lies inside the object, its edges excluded.
  virtual bool PointInObject(float X, float Y) const;
  // The topmost visible object at a point of the scene that takes the mouse, among the
  // object and its descendants; none when there is none.
  virtual TvgVisualObject* ObjectByPoint(float X, float Y);
  // Told by the scene of the mouse: a press (a double click's second press carries
  // ssDouble), a move, a release, the wheel (answers whether the object took it), the
  // mouse coming over the object and leaving it.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y);
  virtual void MouseMove(TShiftState Shift, float X, float Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y);
  virtual bool MouseWheel(TShiftState Shift, int WheelDelta);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The mouse was taken away while the object held the capture: the press ends without its
  // release, so no click follows.
  virtual void MouseCaptureLost();
  // A press and a release inside the object, and a double click.
  virtual void Click();
  virtual void DblClick();
  // Tells the object's animations and effects that one of its states changed (the
  // trigger "IsMouseOver", say): StartTriggerAnimation, then ApplyTriggerEffect.
  void RaiseTrigger(std::u16string_view ATrigger);
  // All mouse input of the scene goes to the object until it releases the capture.
  void Capture();
  void ReleaseCapture();

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnEnterFocus;
  TNotifyEvent OnKillFocus;
  TNotifyEvent OnApplyResource;

  void AddObject(TvgObject* AObject) override;
  void RemoveObject(TvgObject* AObject) override;
  void SetNewScene(IvgScene* AScene) override;
  void Loaded() override;

protected:
  // Paints the object itself in local coordinates.
  virtual void Paint(IvgCanvas&) {}
  virtual void PaintChildren(IvgCanvas& canvas);
  // Runs right before the object paints (a control applies a pending style).
  virtual void BeforePaint() {}
  // The size of a new object, and whether it captures the mouse; written only when changed.
  virtual TvgPoint DefaultSize() const { return {50, 50}; }
  virtual bool DefaultAutoCapture() const { return false; }
  // Sets the size to what a new object of the class has; run by each class that has its own.
  void ResetSize();

  void LockAsClonedChild() override { SetLocked(true); }
  void RealignClonedChildren(const TvgObject& read) override;
  // A part of an applied style (locked, letting the mouse through to its control) passes its
  // parent's trigger operations on to its own children.
  void ParentStartsTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger) override;
  void ParentStartsTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger) override;
  void ParentStopsTriggerAnimation(TvgObject* AInstance) override;
  void ParentAppliesTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) override;

private:
  bool IsWidthStored() const { return FWidth != DefaultSize().X; }
  bool IsHeightStored() const { return FHeight != DefaultSize().Y; }
  bool IsAutoCaptureStored() const { return FAutoCapture != DefaultAutoCapture(); }
  bool IsStylePart() const { return FLocked && !FHitTest; }
  void ParentRealign();
  void LayOutChild(TvgVisualObject& child, TvgAlign kind, TvgRect& R);
  void LayOutScaled(TvgVisualObject& child, TvgAlign kind);
  void RecomputeNeedAlign();
  void AddUpdating(int delta);
  TvgVisualObject* VisualParent() const;

  std::unique_ptr<TvgBounds> FMargins = std::make_unique<TvgBounds>();
  TvgAlign FAlign = vaNone;
  bool FDisableDefaultAlign = false;
  std::unique_ptr<TvgBounds> FPadding = std::make_unique<TvgBounds>();
  std::unique_ptr<TvgPosition> FPosition = std::make_unique<TvgPosition>();
  bool FNeedAlign = false;
  float FHeight = 0;
  float FLastHeight = 0;
  float FWidth = 0;
  float FLastWidth = 0;
  bool FVisible = true;
  int FUpdating = 0;
  bool FDisableAlign = false;
  bool FLocked = false;
  bool FDesignHide = false;
  bool FHitTest = true;
  bool FAutoCapture = false;
  bool FClipChildren = false;
  TvgCursor FCursor = crDefault;
  std::u16string FHint;
  bool FShowHint = false;
  bool FIsMouseOver = false;
  bool FCanFocused = false;
  bool FIsFocused = false;
  bool FDisableFocusEffect = false;
  bool FPressed = false;
  bool FDoubleClick = false;
  float FOpacity = 1;
  TvgRect FLastRepaintRect;
};

}  // namespace vd
