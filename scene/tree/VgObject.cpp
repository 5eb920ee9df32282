#include "scene/tree/VgObject.h"

#include <algorithm>
#include <cmath>

#include "base/Errors.h"
#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "scene/Clock.h"
#include "scene/tree/ObjectRegistry.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

TvgObject::TvgObject(TComponent* AOwner) : TComponent(AOwner), FRegistryEntry(AddToObjectRegistry(this)) {}

TvgObject::~TvgObject() { BeginDestroy(); }

const TClassInfo& TvgObject::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgObject>(u"TvgObject", TComponent::StaticClassInfo())
                                     .Integer(u"Index", &TvgObject::Index, &TvgObject::SetIndex)
                                     .Stored(false)
                                     .Reference(u"Parent", &TvgObject::Parent, &TvgObject::SetParent)
                                     .Stored(false)
                                     .String(u"BindingName", &TvgObject::BindingName, &TvgObject::SetBindingName)
                                     .String(u"ResourceName", &TvgObject::ResourceName, &TvgObject::SetResourceName)
                                     .Build();
  return info;
}

void TvgObject::BeginDestroy() {
  if (FDestroying) return;
  FDestroying = true;
  // An entry may take itself off the list while it is told.
  const std::vector<IvgFreeNotify*> notify = std::move(FNotifyList);
  FNotifyList.clear();
  for (auto it = notify.rbegin(); it != notify.rend(); ++it) (*it)->FreeNotification(this);
  RemoveFromObjectRegistry(FRegistryEntry);
  if (FParent)
    FParent->RemoveObject(this);
  else if (FScene)
    FScene->RemoveObject(this);
  FScene = nullptr;
  DeleteChildren();
}

void TvgObject::SetVisual(TvgVisualObject* visual) {
  FIsVisual = visual != nullptr;
  FVisual = visual;
}

bool TvgObject::IsSelfOrAncestorOf(const TvgObject* AObject) const {
  for (const TvgObject* p = AObject; p; p = p->FParent)
    if (p == this) return true;
  return false;
}

TvgObject* TvgObject::Children(int index) const {
  if (index < 0 || index >= ChildrenCount()) throw ERangeError();
  return FChildren[static_cast<std::size_t>(index)];
}

void TvgObject::SetParent(TvgObject* value) {
  if (value == FParent || (value && IsSelfOrAncestorOf(value))) return;
  if (FParent)
    FParent->RemoveObject(this);
  else if (FScene)
    FScene->RemoveObject(this);
  if (value) value->AddObject(this);
}

void TvgObject::AddObject(TvgObject* AObject) {
  if (!AObject || AObject->FParent == this || AObject->IsSelfOrAncestorOf(this)) return;
  if (AObject->FParent)
    AObject->FParent->RemoveObject(AObject);
  else if (AObject->FScene)
    AObject->FScene->RemoveObject(AObject);
  if (FChildren.empty()) FChildren.reserve(10);
  FChildren.push_back(AObject);
  AObject->FParent = this;
  AObject->FIndex = -1;
  AObject->SetNewScene(FScene);
}

void TvgObject::RemoveObject(TvgObject* AObject) {
  // From the back: children mostly leave from there (DeleteChildren, a style replaced).
  const auto it = std::find(FChildren.rbegin(), FChildren.rend(), AObject);
  if (it == FChildren.rend()) return;
  const auto position = static_cast<std::size_t>(FChildren.rend() - it) - 1;
  AObject->FParent = nullptr;
  AObject->SetNewScene(nullptr);
  InvalidateIndexes(position);
  FChildren.erase(FChildren.begin() + static_cast<std::ptrdiff_t>(position));
}

void TvgObject::Exchange(TvgObject* AObject1, TvgObject* AObject2) {
  const auto first = std::find(FChildren.begin(), FChildren.end(), AObject1);
  const auto second = std::find(FChildren.begin(), FChildren.end(), AObject2);
  if (first == FChildren.end() || second == FChildren.end()) return;
  std::iter_swap(first, second);
  std::swap(AObject1->FIndex, AObject2->FIndex);
  if (!IsLoading()) Realign();
}

void TvgObject::DeleteChildren() {
  // Each leaves as any child does, so that what the class keeps about its children (a
  // control's style, the layout, the damage where it was) follows; taken out before it is
  // freed, since freeing one may free others it owns.
  while (!FChildren.empty()) {
    TvgObject* child = FChildren.back();
    RemoveObject(child);
    delete child;
  }
  FChildren.shrink_to_fit();
}

void TvgObject::InvalidateIndexes(std::size_t from) {
  for (std::size_t i = from; i < FChildren.size(); ++i) FChildren[i]->FIndex = -1;
}

void TvgObject::RealignParent() {
  if (FParent && !FParent->IsLoading()) FParent->Realign();
}

int TvgObject::Index() const {
  if (FIndex < 0 && FParent) {
    const auto& siblings = FParent->FChildren;
    FIndex = static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
  }
  return FParent ? FIndex : -1;
}

void TvgObject::SetIndex(int value) {
  if (!FParent) return;
  auto& siblings = FParent->FChildren;
  const int last = static_cast<int>(siblings.size()) - 1;
  const int target = std::clamp(value, 0, last);
  const int current = Index();
  if (target == current) return;
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + target, this);
  FParent->InvalidateIndexes(0);
  RealignParent();
}

void TvgObject::BringToFront() {
  if (!FParent) return;
  auto& siblings = FParent->FChildren;
  siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  siblings.push_back(this);
  FParent->InvalidateIndexes(0);
  Repaint();
}

void TvgObject::SendToBack() {
  if (!FParent) return;
  auto& siblings = FParent->FChildren;
  siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  siblings.insert(siblings.begin(), this);
  FParent->InvalidateIndexes(0);
  RealignParent();
}

void TvgObject::Sort(const std::function<int(TvgObject*, TvgObject*)>& Compare) {
  std::stable_sort(FChildren.begin(), FChildren.end(), [&](TvgObject* a, TvgObject* b) { return Compare(a, b) < 0; });
  InvalidateIndexes(0);
}

void TvgObject::AddObjectsToList(std::vector<TvgObject*>& AList) {
  AList.push_back(this);
  for (TvgObject* child : FChildren) child->AddObjectsToList(AList);
}

void TvgObject::AddControlsToList(std::vector<TvgControl*>& AList) {
  for (TvgObject* child : FChildren) child->AddControlsToList(AList);
}

void TvgObject::AddFreeNotify(IvgFreeNotify* AObject) {
  if (AObject && std::find(FNotifyList.begin(), FNotifyList.end(), AObject) == FNotifyList.end())
    FNotifyList.push_back(AObject);
}

void TvgObject::RemoveFreeNotify(IvgFreeNotify* AObject) { std::erase(FNotifyList, AObject); }

void TvgObject::Release(float Delay) {
  IvgClock* clock = SceneClock();
  if (!clock) return;
  const double milliseconds = std::round(static_cast<double>(Delay) * 1000);
  const auto interval = milliseconds > 0 ? static_cast<std::uint32_t>(std::min(milliseconds, 2147483647.0)) : 0u;
  FReleaseTimer = clock->StartTimer(interval, [this] { delete this; });
}

TvgObjectGuard::TvgObjectGuard(TvgObject* object) {
  if (!object || object->Destroying()) return;
  FObject = object;
  FObject->AddFreeNotify(this);
}

TvgObjectGuard::~TvgObjectGuard() {
  if (FObject) FObject->RemoveFreeNotify(this);
}

void TvgObject::SetNewScene(IvgScene* AScene) {
  FScene = AScene;
  for (TvgObject* child : FChildren) child->SetNewScene(AScene);
}

void TvgObject::SetStored(bool value) {
  FStored = value;
  for (TvgObject* child : FChildren) child->SetStored(value);
}

TvgObject* TvgObject::FindResource(std::u16string_view AResource) const {
  if (AResource.empty()) return nullptr;
  for (TvgObject* child : FChildren) {
    if (SameTextAscii(child->FResourceName, AResource)) return child;
    if (child->KeepsResourcesToItself()) continue;
    if (TvgObject* found = child->FindResource(AResource)) return found;
  }
  return nullptr;
}

void TvgObject::UpdateResource() {
  // By index: a control's update replaces its own style child only.
  for (std::size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->UpdateResource();
}

void TvgObject::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent*) const {
  for (TvgObject* child : FChildren) {
    if (child->ChildrenStoredInItsPlace())
      for (TvgObject* content : child->FChildren)
        if (content->FStored) proc(content);
    if (child->FStored) proc(child);
  }
}

TComponent* TvgObject::GetParentComponent() const {
  if (FParent) return FParent;
  return FScene ? FScene->GetComponent() : nullptr;
}

void TvgObject::SetParentComponent(TComponent* AParent) {
  if (auto* object = dynamic_cast<TvgObject*>(AParent))
    object->AddObject(this);
  else if (auto* scene = dynamic_cast<IvgScene*>(AParent))
    scene->AddObject(this);
}

}  // namespace vd
