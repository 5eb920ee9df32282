#pragma once
// The component base: a component has an owner that frees it, a name and a tag. An owner
// frees what it owns in reverse creation order. Components that keep a pointer to another
// component ask it for a free notification and are told when it goes away.
//
// Components publish properties through their class info (core/ClassInfo.h): TComponent
// publishes Name (not stored: it is the object name of a stored description) and Tag.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Persistent.h"

namespace vd {

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csDesigning = 4,
  csDestroying = 8,
};

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  // Frees the owned components; a derived class whose members those components use calls
  // DestroyComponents() in its own destructor first.
  ~TComponent() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TComponent* Owner() const { return FOwner; }
  const std::u16string& Name() const { return FName; }
  virtual void SetName(const std::u16string& value) { FName = value; }
  std::int32_t Tag() const { return FTag; }
  void SetTag(std::int32_t value) { FTag = value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<std::size_t>(index)); }
  int ComponentIndex() const;
  // The owned component of that name (compared without regard to ASCII case), or nullptr.
  TComponent* FindComponent(std::u16string_view name) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  unsigned ComponentState() const { return FComponentState; }
  bool IsLoading() const { return (FComponentState & csLoading) != 0; }
  bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
  void SetLoading(bool loading);
  void SetReading(bool reading);
  void SetDesigning(bool designing);

  // Runs once a stored description has been read into the component (and every other
  // component of the same read); the base clears the loading state.
  virtual void Loaded();

  // Nesting in stored descriptions. A writer writes, nested in a component, the children
  // that GetChildren gives; the default gives, for the root of the write, the owned
  // components without a parent component. A reader creates each nested component owned
  // by the root of the read and calls SetParentComponent with the component it is nested
  // in (the default ignores it).
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const;
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* AParent);

protected:
  // Told when AComponent is inserted into or removed from this component's owner, or when
  // a component this one asked for a free notification goes away.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
  TComponent* FOwner = nullptr;
  std::u16string FName;
  std::int32_t FTag = 0;
  unsigned FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

}  // namespace vd
