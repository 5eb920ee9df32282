#include "scene/CustomScene.h"

#include <algorithm>
#include <cmath>

#include "base/Errors.h"
#include "core/ClassInfo.h"
#include "scene/layout/VisualObject.h"
#include "scene/paint/Scale.h"
#include "scene/style/StyleSet.h"

namespace vd {

namespace {

// The live scenes, oldest first.
std::vector<TvgCustomScene*>& Scenes() {
  static std::vector<TvgCustomScene*> scenes;
  return scenes;
}

bool IsLive(const TvgCustomScene* scene) {
  const auto& scenes = Scenes();
  return std::find(scenes.begin(), scenes.end(), scene) != scenes.end();
}

}  // namespace

void UpdateAllScenes() {
  // A scene may free another (or itself) while it updates.
  const std::vector<TvgCustomScene*> snapshot = Scenes();
  for (TvgCustomScene* scene : snapshot)
    if (IsLive(scene)) scene->UpdateResource();
}

TvgCustomScene::TvgCustomScene(TComponent* AOwner)
    : TComponent(AOwner), FFill(std::make_unique<TvgBrush>(vgBrushNone, 0xFFFFFFFF)) {
  Scenes().push_back(this);
}

TvgCustomScene::~TvgCustomScene() {
  std::erase(Scenes(), this);
  for (TvgVisualObject* held : {FCaptured, FHovered, FFocused})
    if (held) held->RemoveFreeNotify(this);
  if (FStyle) FStyle->RemoveSceneUpdater(this);
  // Root objects belong to their owners: they stay, outside any scene.
  for (TvgObject* object : FChildren) object->SetNewScene(nullptr);
  FChildren.clear();
}

const TClassInfo& TvgCustomScene::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgCustomScene>(u"TvgCustomScene", TComponent::StaticClassInfo())
          .Reference(u"Style", &TvgCustomScene::Style, &TvgCustomScene::SetStyle)
          .Boolean(u"Transparency", &TvgCustomScene::Transparency, &TvgCustomScene::SetTransparency)
          .Default(false)
          .Object(u"Fill", &TvgCustomScene::Fill)
          .Boolean(u"EnableDrag", &TvgCustomScene::EnableDrag, &TvgCustomScene::SetEnableDrag)
          .Default(true)
          .Integer(u"Left", &TvgCustomScene::Left, &TvgCustomScene::SetLeft)
          .Default(0)
          .Integer(u"Top", &TvgCustomScene::Top, &TvgCustomScene::SetTop)
          .Default(0)
          .Integer(u"Width", &TvgCustomScene::Width, &TvgCustomScene::SetWidth)
          .Integer(u"Height", &TvgCustomScene::Height, &TvgCustomScene::SetHeight)
          .Event(u"OnFlush", &TvgCustomScene::OnFlush)
          .Build();
  return info;
}

TvgObject* TvgCustomScene::Children(int index) const {
  if (index < 0 || index >= Count()) throw ERangeError();
  return FChildren[static_cast<std::size_t>(index)];
}

void TvgCustomScene::SetStyle(TvgResources* value) {
  if (value == FStyle) return;
  if (FStyle) {
    FStyle->RemoveSceneUpdater(this);
    RemoveFreeNotification(FStyle);
  }
  FStyle = value;
  if (FStyle) {
    FStyle->AddSceneUpdater(this);
    FreeNotification(FStyle);
  }
  UpdateResource();
}

void TvgCustomScene::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FStyle) FStyle = nullptr;
}

void TvgCustomScene::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged(resized);
}

void TvgCustomScene::SetScale(float value) {
  if (!(value > 0) || !std::isfinite(value) || value == FScale) return;
  // A drag goes on from the same point of the scene, which is now as much further from the
  // window's corner as the scale grew.
  const float ratio = value / FScale;
  FMousePos = {FMousePos.X * ratio, FMousePos.Y * ratio};
  FDownPos = {FDownPos.X * ratio, FDownPos.Y * ratio};
  FScale = value;
  BoundsChanged(true);
  AddUpdateRect({0, 0, static_cast<float>(FWidth), static_cast<float>(FHeight)});
}

TvgPixelRect TvgCustomScene::PixelBounds() const {
  const int left = ScaledLength(FLeft, FScale), top = ScaledLength(FTop, FScale);
  return {left, top, left + ScaledLength(FWidth, FScale), top + ScaledLength(FHeight, FScale)};
}

void TvgCustomScene::SetTransparency(bool value) {
  if (value == FTransparency) return;
  FTransparency = value;
  AddUpdateRect({0, 0, 10000, 10000});
}

void TvgCustomScene::UpdateResource() {
  const std::vector<TvgObject*> roots = FChildren;
  for (TvgObject* root : roots)
    if (std::find(FChildren.begin(), FChildren.end(), root) != FChildren.end()) root->UpdateResource();
}

TvgObject* TvgCustomScene::GetStyleRoot() { return FStyle ? FStyle->Root() : nullptr; }

void TvgCustomScene::AddUpdateRect(const TvgRect& rect) {
  if (FDisableUpdate || IsLoading() || IsDestroying() || !FHost) return;
  FHost->AddUpdateRect(rect);
}

void TvgCustomScene::Hold(TvgVisualObject*& field, TvgVisualObject* object) {
  TvgVisualObject* previous = field;
  field = object;
  if (object) object->AddFreeNotify(this);
  if (previous && previous != FCaptured && previous != FHovered && previous != FFocused)
    previous->RemoveFreeNotify(this);
}

void TvgCustomScene::SetCaptured(TvgVisualObject* object) {
  if (object == FCaptured) return;
  Hold(FCaptured, object);
  if (!FHost) return;
  if (object)
    FHost->SetCapture();
  else
    FHost->ReleaseCapture();
}

void TvgCustomScene::SetFocused(TvgVisualObject* object) {
  if (object == FFocused) return;
  TvgVisualObject* previous = FFocused;
  Hold(FFocused, object);
  if (previous) previous->KillFocus();
  if (object && FFocused == object) object->EnterFocus();
}

void TvgCustomScene::SetModalResult(std::int32_t result) {
  if (FHost) FHost->SetModalResult(result);
}

void TvgCustomScene::FreeNotification(TvgObject* AObject) {
  if (AObject == FHovered) FHovered = nullptr;
  if (AObject == FFocused) FFocused = nullptr;
  if (AObject == FCaptured) SetCaptured(nullptr);
}

void TvgCustomScene::AddObject(TvgObject* object) {
  if (!object || std::find(FChildren.begin(), FChildren.end(), object) != FChildren.end()) return;
  if (TvgObject* parent = object->Parent())
    parent->RemoveObject(object);
  else if (IvgScene* other = object->Scene())
    other->RemoveObject(object);
  FChildren.push_back(object);
  object->SetNewScene(this);
}

void TvgCustomScene::RemoveObject(TvgObject* object) {
  const auto it = std::find(FChildren.begin(), FChildren.end(), object);
  if (it == FChildren.end()) return;
  FChildren.erase(it);
  object->SetNewScene(nullptr);
}

void TvgCustomScene::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent*) const {
  for (TvgObject* object : FChildren)
    if (object->Stored()) proc(object);
}

}  // namespace vd
