#include "scene/style/Control.h"

#include <vector>

#include "core/Event.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

// Keeps the scene from collecting damage while a loading control takes its style.
class TUpdateSuppression {
public:
  explicit TUpdateSuppression(IvgScene* scene) : FScene(scene) {
    if (FScene) {
      FPrevious = FScene->GetDisableUpdate();
      FScene->SetDisableUpdate(true);
    }
  }
  ~TUpdateSuppression() {
    if (FScene) FScene->SetDisableUpdate(FPrevious);
  }
  TUpdateSuppression(const TUpdateSuppression&) = delete;
  TUpdateSuppression& operator=(const TUpdateSuppression&) = delete;

private:
  IvgScene* FScene;
  bool FPrevious = false;
};

}  // namespace

TvgControl::TvgControl(TComponent* AOwner) : TvgVisualObject(AOwner) {}

const TClassInfo& TvgControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgControl>(u"TvgControl", TvgVisualObject::StaticClassInfo())
          .Creatable()
          .String(u"Resource", &TvgControl::Resource, &TvgControl::SetResource)
          .Boolean(u"AutoTranslate", &TvgControl::AutoTranslate, &TvgControl::SetAutoTranslate)
          .Stored(&TvgControl::IsAutoTranslateStored)
          .Boolean(u"Enabled", &TvgControl::Enabled, &TvgControl::SetEnabled)
          .Default(true)
          .Build();
  return info;
}

void TvgControl::SetResource(const std::u16string& value) {
  FResource = value;
  FNeedResource = true;
  if (!IsLoading() && !IsUpdating()) ApplyResource();
}

void TvgControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Repaint();
}

bool TvgControl::AbsoluteEnabled() const { return FEnabled && TvgVisualObject::AbsoluteEnabled(); }

void TvgControl::EnterFocus() {
  // OnApplyResource may free the control.
  const TvgObjectGuard self(this);
  ApplyResource();
  if (self.Alive()) TvgVisualObject::EnterFocus();
}

TvgObject* TvgControl::FindResource(std::u16string_view AResource) const {
  if (FResourceLink)
    if (TvgObject* found = FResourceLink->FindResource(AResource)) return found;
  return TvgObject::FindResource(AResource);
}

void TvgControl::AddControlsToList(std::vector<TvgControl*>& AList) {
  AList.push_back(this);
  TvgObject::AddControlsToList(AList);
}

void TvgControl::UpdateResource() {
  if (IsLoading() || Destroying()) return;
  TvgObject::UpdateResource();
  FNeedResource = true;
  ApplyResource();
}

void TvgControl::ApplyResource() {
  if (!FNeedResource) return;
  FNeedResource = false;
  TvgObject* clone = LookupResourceObject();
  if (!clone) return;
  std::vector<TvgObject*> parts;
  clone->AddObjectsToList(parts);
  for (TvgObject* part : parts)
    if (part->IsLoading()) part->Loaded();

  const TUpdateSuppression suppression(IsLoading() ? Scene() : nullptr);
  if (FResourceLink) {
    BeforeFreeResource();
    delete FResourceLink;
    FResourceLink = nullptr;
  }
  if (TvgVisualObject* visual = clone->Visual()) {
    visual->SetAlign(vaContents);
    visual->SetDesignHide(false);
  }
  FResourceLink = clone;
  AddObject(clone);
  clone->SetIndex(0);
  clone->SetStored(false);
  for (TvgObject* part : parts)
    if (TvgVisualObject* visual = part->Visual()) visual->SetLocked(true);
  AfterApplyResource();
  const TvgObjectGuard self(this);
  OnApplyResource(this);
  if (self.Alive()) RaiseStateTriggers();
}

void TvgControl::RaiseStateTriggers() {
  if (IsFocused() && !DisableFocusEffect()) RaiseTrigger(u"IsFocused");
}

void TvgControl::BeforePaint() {
  if (FNeedResource) ApplyResource();
}

void TvgControl::RemoveObject(TvgObject* AObject) {
  if (AObject && AObject == FResourceLink) FResourceLink = nullptr;
  TvgVisualObject::RemoveObject(AObject);
}

int TvgControl::StyleDepth() const {
  int depth = 0;
  for (const TvgObject* object = this; object->Parent(); object = object->Parent())
    if (const auto* control = dynamic_cast<const TvgControl*>(object->Parent());
        control && control->FResourceLink == object)
      ++depth;
  return depth;
}

}  // namespace vd
