#include "scene/layout/VisualObject.h"

#include <limits>

#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

// Every float compares unequal to NaN: with it as the default, a property's stored
// predicate alone decides whether it is written (a size of 0 included).
constexpr double kNoFloatDefault = std::numeric_limits<double>::quiet_NaN();

}  // namespace

std::vector<std::u16string> AlignNames() {
  return {u"vaNone",       u"vaTopLeft",  u"vaTopRight", u"vaBottomLeft", u"vaBottomRight", u"vaTop",
          u"vaLeft",       u"vaRight",    u"vaBottom",   u"vaMostTop",    u"vaMostBottom",  u"vaMostLeft",
          u"vaMostRight",  u"vaClient",   u"vaContents", u"vaCenter",     u"vaVertCenter",  u"vaHorzCenter",
          u"vaHorizontal", u"vaVertical", u"vaScale",    u"vaFit",        u"vaFitLeft",     u"vaFitRight"};
}

TvgVisualObject::TvgVisualObject(TComponent* AOwner) : TvgObject(AOwner) {
  SetVisual(this);
  ResetSize();
  FMargins->OnChange = [this] {
    if (!IsLoading()) Realign();
  };
  FPadding->OnChange = [this] { ParentRealign(); };
  FPosition->OnChange = [this] { Repaint(); };
}

TvgVisualObject::~TvgVisualObject() { BeginDestroy(); }

const TClassInfo& TvgVisualObject::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgVisualObject>(u"TvgVisualObject", TvgObject::StaticClassInfo())
          .Enumeration(u"Align", &TvgVisualObject::Align, &TvgVisualObject::SetAlign, AlignNames())
          .Default(vaNone)
          .Object(u"Position", &TvgVisualObject::Position)
          .Float(u"Width", &TvgVisualObject::Width, &TvgVisualObject::SetWidth)
          .Default(kNoFloatDefault)
          .Stored(&TvgVisualObject::IsWidthStored)
          .Float(u"Height", &TvgVisualObject::Height, &TvgVisualObject::SetHeight)
          .Default(kNoFloatDefault)
          .Stored(&TvgVisualObject::IsHeightStored)
          .Object(u"Padding", &TvgVisualObject::Padding)
          .Object(u"Margins", &TvgVisualObject::Margins)
          .Boolean(u"DisableDefaultAlign", &TvgVisualObject::DisableDefaultAlign,
                   &TvgVisualObject::SetDisableDefaultAlign)
          .Default(false)
          .Boolean(u"Visible", &TvgVisualObject::Visible, &TvgVisualObject::SetVisible)
          .Default(true)
          .Boolean(u"Locked", &TvgVisualObject::Locked, &TvgVisualObject::SetLocked)
          .Default(false)
          .Boolean(u"DesignHide", &TvgVisualObject::DesignHide, &TvgVisualObject::SetDesignHide)
          .Default(false)
          .Boolean(u"HitTest", &TvgVisualObject::HitTest, &TvgVisualObject::SetHitTest)
          .Default(true)
          .Boolean(u"AutoCapture", &TvgVisualObject::AutoCapture, &TvgVisualObject::SetAutoCapture)
          .Stored(&TvgVisualObject::IsAutoCaptureStored)
          .Float(u"Opacity", &TvgVisualObject::Opacity, &TvgVisualObject::SetOpacity)
          .Default(1.0)
          .Boolean(u"ClipChildren", &TvgVisualObject::ClipChildren, &TvgVisualObject::SetClipChildren)
          .Default(false)
          .Enumeration(u"Cursor", &TvgVisualObject::Cursor, &TvgVisualObject::SetCursor, CursorNames())
          .Default(crDefault)
          .String(u"Hint", &TvgVisualObject::Hint, &TvgVisualObject::SetHint)
          .Boolean(u"ShowHint", &TvgVisualObject::ShowHint, &TvgVisualObject::SetShowHint)
          .Default(false)
          .Boolean(u"DisableFocusEffect", &TvgVisualObject::DisableFocusEffect, &TvgVisualObject::SetDisableFocusEffect)
          .Default(false)
          .Boolean(u"IsMouseOver", &TvgVisualObject::IsMouseOver)
          .Boolean(u"IsFocused", &TvgVisualObject::IsFocused)
          .Event(u"OnApplyResource", &TvgVisualObject::OnApplyResource)
          .Event(u"OnMouseDown", &TvgVisualObject::OnMouseDown)
          .Event(u"OnMouseMove", &TvgVisualObject::OnMouseMove)
          .Event(u"OnMouseUp", &TvgVisualObject::OnMouseUp)
          .Event(u"OnMouseEnter", &TvgVisualObject::OnMouseEnter)
          .Event(u"OnMouseLeave", &TvgVisualObject::OnMouseLeave)
          .Event(u"OnClick", &TvgVisualObject::OnClick)
          .Event(u"OnDblClick", &TvgVisualObject::OnDblClick)
          .Event(u"OnEnterFocus", &TvgVisualObject::OnEnterFocus)
          .Event(u"OnKillFocus", &TvgVisualObject::OnKillFocus)
          .Build();
  return info;
}

TvgVisualObject* TvgVisualObject::VisualParent() const { return Parent() ? Parent()->Visual() : nullptr; }

void TvgVisualObject::ParentRealign() {
  if (TvgVisualObject* parent = VisualParent(); parent && !IsLoading()) parent->Realign();
}

void TvgVisualObject::RecomputeNeedAlign() {
  FNeedAlign = false;
  for (TvgObject* child : ChildList())
    if (child->Visual() && child->Visual()->FAlign != vaNone) FNeedAlign = true;
}

void TvgVisualObject::ResetSize() {
  const TvgPoint size = DefaultSize();
  FWidth = FLastWidth = size.X;
  FHeight = FLastHeight = size.Y;
}

void TvgVisualObject::SetAlign(TvgAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  TvgVisualObject* parent = VisualParent();
  if (!parent) return;
  if (value != vaNone) parent->FNeedAlign = true;
  if (!IsLoading()) parent->Realign();
}

void TvgVisualObject::SetSize(float width, float height) {
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  if (!IsLoading()) {
    if (FAlign != vaNone) ParentRealign();
    if (ChildrenCount() > 0) Realign();
  }
  Repaint();
}

void TvgVisualObject::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (FAlign != vaNone) ParentRealign();
  Repaint();
}

void TvgVisualObject::SetClipChildren(bool value) {
  if (value == FClipChildren) return;
  FClipChildren = value;
  Repaint();
}

void TvgVisualObject::SetOpacity(float value) {
  if (value == FOpacity) return;
  FOpacity = value;
  Repaint();
}

void TvgVisualObject::AddUpdating(int delta) {
  FUpdating += delta;
  for (TvgObject* child : ChildList())
    if (TvgVisualObject* visual = child->Visual()) visual->AddUpdating(delta);
}

void TvgVisualObject::BeginUpdate() { AddUpdating(1); }

void TvgVisualObject::EndUpdate() {
  if (FUpdating <= 0) return;
  AddUpdating(-1);
  if (FUpdating == 0) Realign();
}

TvgMatrix TvgVisualObject::LocalMatrix() const {
  // Scale and rotation, when objects get them, go here, before the translation.
  return TvgMatrix::Translation(FPosition->X(), FPosition->Y());
}

TvgMatrix TvgVisualObject::AbsoluteMatrix() const {
  const TvgVisualObject* parent = VisualParent();
  return parent ? LocalMatrix() * parent->AbsoluteMatrix() : LocalMatrix();
}

float TvgVisualObject::AbsoluteOpacity() const {
  const TvgVisualObject* parent = VisualParent();
  return parent ? FOpacity * parent->AbsoluteOpacity() : FOpacity;
}

void TvgVisualObject::Repaint() {
  if (!Scene() || Destroying()) return;
  const TvgRect now = AbsoluteRect();
  Scene()->AddUpdateRect(UnionRect(now, FLastRepaintRect));
  FLastRepaintRect = now;
}

void TvgVisualObject::PaintTo(IvgCanvas& canvas) {
  if (!FVisible) return;
  BeforePaint();
  canvas.SetMatrix(AbsoluteMatrix());
  Paint(canvas);
  if (!FClipChildren) {
    PaintChildren(canvas);
    return;
  }
  canvas.SaveState();
  canvas.IntersectClipRect(LocalRect());
  PaintChildren(canvas);
  canvas.RestoreState();
}

void TvgVisualObject::PaintChildren(IvgCanvas& canvas) {
  // By index: painting a child may apply its style, which changes its own children only.
  for (int i = 0; i < ChildrenCount(); ++i)
    if (TvgVisualObject* child = Children(i)->Visual()) child->PaintTo(canvas);
}

void TvgVisualObject::AddObject(TvgObject* AObject) {
  const bool wasChild = AObject && AObject->Parent() == this;
  TvgObject::AddObject(AObject);
  TvgVisualObject* child = AObject ? AObject->Visual() : nullptr;
  if (wasChild || !child || child->Parent() != this) return;
  child->AddUpdating(FUpdating - child->FUpdating);
  if (child->FAlign == vaNone) {
    child->Repaint();
    return;
  }
  FNeedAlign = true;
  Realign();
}

void TvgVisualObject::RemoveObject(TvgObject* AObject) {
  TvgVisualObject* child = AObject && AObject->Parent() == this ? AObject->Visual() : nullptr;
  if (child) child->Repaint();
  TvgObject::RemoveObject(AObject);
  if (child) RecomputeNeedAlign();
}

void TvgVisualObject::SetNewScene(IvgScene* AScene) {
  FLastRepaintRect = {};
  TvgObject::SetNewScene(AScene);
}

void TvgVisualObject::RealignClonedChildren(const TvgObject& read) {
  if (const TvgVisualObject* from = read.Visual()) RealignFrom(from->Width(), from->Height());
}

void TvgVisualObject::Loaded() {
  TvgObject::Loaded();
  FLastWidth = FWidth;
  FLastHeight = FHeight;
  if (ChildrenCount() > 0) Realign();
}

}  // namespace vd
