#pragma once
// TvgVisualObject: an object with a place and a size in its parent, that paints and lays
// out its aligned children (scene/Realign.cpp). Its position is relative to its parent;
// its absolute transform maps its local coordinates (0, 0, Width, Height) to the scene's.

#include <memory>

#include "core/Event.h"
#include "scene/Align.h"
#include "scene/Bounds.h"
#include "scene/Canvas.h"
#include "scene/VgObject.h"

namespace vd {

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
  virtual void Realign();
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
  // Whether the mouse can find the object.
  bool HitTest() const { return FHitTest; }
  void SetHitTest(bool value) { FHitTest = value; }
  // Whether the object takes the mouse capture when pressed.
  bool AutoCapture() const { return FAutoCapture; }
  void SetAutoCapture(bool value) { FAutoCapture = value; }
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
  void Repaint();
  // Paints the object with its absolute transform, then its visual children.
  void PaintTo(IvgCanvas& canvas);

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

private:
  bool IsWidthStored() const { return FWidth != DefaultSize().X; }
  bool IsHeightStored() const { return FHeight != DefaultSize().Y; }
  bool IsAutoCaptureStored() const { return FAutoCapture != DefaultAutoCapture(); }
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
  float FOpacity = 1;
  TvgRect FLastRepaintRect;
};

}  // namespace vd
