#include "core/Component.h"

#include <algorithm>

#include "base/Strings.h"
#include "core/ClassInfo.h"

namespace vd {

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComponent>(u"TComponent", TPersistent::StaticClassInfo())
                                     .String(u"Name", &TComponent::Name, &TComponent::SetName)
                                     .Stored(false)
                                     .Integer(u"Tag", &TComponent::Tag, &TComponent::SetTag)
                                     .Default(0)
                                     .Build();
  return info;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState |= csDestroying;
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& list = FOwner->FComponents;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::u16string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameTextAscii(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  const auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  AComponent->FOwner = nullptr;
  Notification(AComponent, TOperation::opRemove);
  for (TComponent* sibling : FComponents) sibling->Notification(AComponent, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) delete FComponents.back();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& theirs = AComponent->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& theirs = AComponent->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetLoading(bool loading) {
  FComponentState = loading ? (FComponentState | csLoading) : (FComponentState & ~csLoading);
}

void TComponent::SetReading(bool reading) {
  FComponentState = reading ? (FComponentState | csReading) : (FComponentState & ~csReading);
}

void TComponent::SetDesigning(bool designing) {
  FComponentState = designing ? (FComponentState | csDesigning) : (FComponentState & ~csDesigning);
}

void TComponent::Loaded() { SetLoading(false); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const {
  if (root != this) return;
  for (TComponent* component : FComponents)
    if (!component->GetParentComponent()) proc(component);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace vd
