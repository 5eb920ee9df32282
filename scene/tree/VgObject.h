#pragma once
// TvgObject, the base of everything a scene draws or animates: a component (its owner
// frees it) that also has a place in a tree of objects. A parent holds its children in
// paint and stream order; a child always shares its parent's scene; a scene holds root
// objects, which have no parent. Freeing an object takes it out of the tree and frees its
// children, whoever owns them; freeing its owner frees it wherever it is in the tree.
//
// Objects are stored in object streams like every other component (core/): nested objects
// are children, names are object names, and only objects that are Stored are written.
// Everything here runs on the main thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ClassInfo.h"

// The Windows headers make UpdateResource and FindResource macros for functions of their
// own; these operations keep their names wherever they were included first.
#ifdef UpdateResource
#undef UpdateResource
#endif
#ifdef FindResource
#undef FindResource
#endif
#include "core/Component.h"
#include "scene/tree/ObjectRegistry.h"
#include "streams/MemoryStream.h"

namespace vd {

class IvgScene;
class IvgTimer;
class TvgControl;
class TvgObject;
class TvgVisualObject;

// Told when an object it registered with (AddFreeNotify) is destroyed. An implementer that
// goes first takes itself off that object's list (RemoveFreeNotify).
class IvgFreeNotify {
public:
  virtual void FreeNotification(TvgObject* AObject) = 0;

protected:
  ~IvgFreeNotify() = default;
};

class TvgObject : public TComponent {
public:
  explicit TvgObject(TComponent* AOwner);
  ~TvgObject() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // --- The tree ---
  TvgObject* Parent() const { return FParent; }
  // Leaves the current parent (a root object: its scene) and is added to the new one. A
  // parent that is the object itself or one of its descendants is refused.
  void SetParent(TvgObject* value);
  int ChildrenCount() const { return static_cast<int>(FChildren.size()); }
  // Raises "Range check error" outside 0 .. ChildrenCount() - 1.
  TvgObject* Children(int index) const;
  std::span<TvgObject* const> ChildList() const { return FChildren; }

  // Appends AObject as the last child (it leaves its parent or scene first). Nothing happens
  // for none, for a child of this object, or for this object or one of its ancestors.
  virtual void AddObject(TvgObject* AObject);
  // Takes a child out of the list; anything else is left alone.
  virtual void RemoveObject(TvgObject* AObject);
  // Swaps two children of this object in the list.
  virtual void Exchange(TvgObject* AObject1, TvgObject* AObject2);
  // Frees every child, from the last to the first; each leaves through RemoveObject first.
  virtual void DeleteChildren();

  // Position among the siblings (-1 without a parent). Setting it moves the object there,
  // held inside the list.
  int Index() const;
  void SetIndex(int value);
  // Makes the object the last child (painted over its siblings) or the first.
  void BringToFront();
  void SendToBack();
  // Sorts the children, keeping the order of those that compare equal; Compare answers a
  // negative number, 0 or a positive number.
  void Sort(const std::function<int(TvgObject*, TvgObject*)>& Compare);
  // The object, then its descendants depth first in child order.
  void AddObjectsToList(std::vector<TvgObject*>& AList);
  // The same, keeping only controls: a control adds itself.
  virtual void AddControlsToList(std::vector<TvgControl*>& AList);

  void AddFreeNotify(IvgFreeNotify* AObject);
  void RemoveFreeNotify(IvgFreeNotify* AObject);
  // Frees the object Delay seconds from now, on a one-shot timer of the scene clock
  // (scene/Clock.h); without a clock the object stays until its owner frees it.
  void Release(float Delay);

  IvgScene* Scene() const { return FScene; }
  // Gives the object and its whole subtree that scene.
  virtual void SetNewScene(IvgScene* AScene);

  // Only stored objects are written to streams; setting it sets the whole subtree.
  bool Stored() const { return FStored; }
  void SetStored(bool value);
  const std::u16string& ResourceName() const { return FResourceName; }
  void SetResourceName(const std::u16string& value) { FResourceName = value; }
  const std::u16string& BindingName() const { return FBindingName; }
  void SetBindingName(const std::u16string& value) { FBindingName = value; }
  // Free for the user.
  TPersistent* TagObject() const { return FTagObject; }
  void SetTagObject(TPersistent* value) { FTagObject = value; }
  float TagFloat() const { return FTagFloat; }
  void SetTagFloat(float value) { FTagFloat = value; }
  const std::u16string& TagString() const { return FTagString; }
  void SetTagString(const std::u16string& value) { FTagString = value; }

  bool IsVisual() const { return FIsVisual; }
  TvgVisualObject* Visual() const { return FVisual; }

  // --- Layout and painting, which only visual objects do (scene/layout/) ---
  // Lays the children out again.
  virtual void Realign() {}
  // Reports the object's area to the scene, to be drawn again.
  virtual void Repaint() {}

  // --- Styles ---
  // The first descendant, in child order and depth first, whose ResourceName matches (ASCII
  // case ignored); one that keeps its resources to itself (a control) is matched by its own
  // name but not searched inside.
  virtual TvgObject* FindResource(std::u16string_view AResource) const;
  // Has every control in the subtree apply its style again.
  virtual void UpdateResource();

  // --- Animations (scene/tree/VgObjectAnimations.cpp), which the children take part in
  // through the hooks below; animations made on the fly: scene/animation/AnimateProperty.h ---
  // Starts or stops every direct child animation of that name (ASCII case ignored).
  virtual void StartAnimation(std::u16string_view AName);
  virtual void StopAnimation(std::u16string_view AName);
  // A trigger ("IsMouseOver") was raised on AInstance, whose state changed: every
  // triggered animation stops at its end value, then those whose condition now holds
  // start. Both go through the direct children and on into the locked children that let
  // the mouse through (the parts of an applied style).
  virtual void StartTriggerAnimation(TvgObject* AInstance, std::u16string_view ATrigger);
  // The same, but waits for each animation it starts to end (the main thread's work runs
  // meanwhile; a looping animation is not waited for).
  virtual void StartTriggerAnimationWait(TvgObject* AInstance, std::u16string_view ATrigger);
  virtual void StopTriggerAnimation(TvgObject* AInstance);
  // Switches the graphic effects among the same children on or off by their triggers.
  virtual void ApplyTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger);

  // --- Streams (scene/tree/VgObjectStreams.cpp) ---
  // An object stream of the object and its stored descendants at the stream's position.
  void SaveToBinStream(TMemoryStream& AStream) const;
  // Reads an object stream from the position into this object: it takes the stored name
  // and properties; nested objects are created by their class names, owned by this object
  // and added to the object they are nested in. What cannot be applied is skipped (and
  // traced to the debug output); a malformed stream raises EReadError before anything is
  // applied.
  void LoadFromBinStream(TMemoryStream& AStream);
  // The same in the text form (UTF-8), which is converted to the binary form first.
  void SaveToStream(TMemoryStream& AStream) const;
  void LoadFromStream(TMemoryStream& AStream);
  // Reads as LoadFromBinStream does, but as a copy: no stored name is applied, and the
  // object is in the design state while it reads.
  void LoadCloneFromBinStream(TMemoryStream& AStream);
  // A new object of the same class owned by AOwner, with an empty name, the same
  // properties and copies of the stored descendants.
  TvgObject* Clone(TComponent* AOwner);
  // Reads an object from a text form; if it has children, this object's children are freed
  // and the read object's children move here, locked and not stored, laid out as if this
  // object had been resized from the read object's size. The emptied read object is freed;
  // this object owns what was read.
  void CloneChildFromStream(TMemoryStream& AStream);

  // --- Nesting in stored descriptions ---
  // Gives the stored children; a child whose children are stored in its place gives its
  // stored children, then itself.
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;
  // The parent, or for a root object its scene.
  TComponent* GetParentComponent() const override;
  // Joins a parent object, or a scene as a root object.
  void SetParentComponent(TComponent* AParent) override;

protected:
  // The steps of destruction, run once while the object is still whole: the notify list is
  // told (a scene that holds the object as hovered, captured or focused is on it), its
  // registry entry is emptied, it leaves its parent (or scene), and its children are freed. Classes whose parent or
  // children use their own members run it first thing in their destructor.
  void BeginDestroy();
  bool Destroying() const { return FDestroying || IsDestroying(); }
  void SetVisual(TvgVisualObject* visual);
  // Cycles through the parents: whether this object is AObject or one of its ancestors.
  bool IsSelfOrAncestorOf(const TvgObject* AObject) const;

  // Whether a search for a resource from an ancestor (FindResource) stops at the object: a
  // control is found by its own name, and what it holds only through the control itself.
  virtual bool KeepsResourcesToItself() const { return false; }
  // Whether streams write the object's stored children in its place, at its parent's level
  // (the content of a container that scrolls or pages it does).
  virtual bool ChildrenStoredInItsPlace() const { return false; }
  // For CloneChildFromStream, which visual objects (scene/layout/) answer: a child moved in
  // from the object read is locked; then the object lays the moved children out as if it
  // had been resized from the size of the object read to its own.
  virtual void LockAsClonedChild() {}
  virtual void RealignClonedChildren(const TvgObject& /*read*/) {}

  // A child's part in its parent's animation operation of that name; here it takes none.
  // Animations and effects (scene/animation/) start, stop or switch, and the parts of an
  // applied style (scene/layout/) pass the trigger operations on to their own children.
  virtual void ParentStartsAnimation(std::u16string_view /*AName*/) {}
  virtual void ParentStopsAnimation(std::u16string_view /*AName*/) {}
  virtual void ParentStartsTriggerAnimation(TvgObject* /*AInstance*/, std::u16string_view /*ATrigger*/) {}
  virtual void ParentStartsTriggerAnimationWait(TvgObject* /*AInstance*/, std::u16string_view /*ATrigger*/) {}
  virtual void ParentStopsTriggerAnimation(TvgObject* /*AInstance*/) {}
  virtual void ParentAppliesTriggerEffect(TvgObject* /*AInstance*/, std::u16string_view /*ATrigger*/) {}

private:
  void InvalidateIndexes(std::size_t from);
  void RealignParent();

  bool FStored = true;
  std::u16string FResourceName;
  std::vector<IvgFreeNotify*> FNotifyList;
  TPersistent* FTagObject = nullptr;
  float FTagFloat = 0;
  std::u16string FTagString;
  std::u16string FBindingName;
  mutable int FIndex = -1;
  bool FIsVisual = false;
  TvgVisualObject* FVisual = nullptr;
  std::vector<TvgObject*> FChildren;
  TvgObject* FParent = nullptr;
  IvgScene* FScene = nullptr;

  TObjectRegistry::iterator FRegistryEntry;
  bool FDestroying = false;
  std::unique_ptr<IvgTimer> FReleaseTimer;

  friend class TvgObjectGuard;
};

// Watches an object across a call that may free it: handlers of the user's run in the middle
// of the toolkit's own work (an OnFinish, an OnKillFocus, an OnMouseUp) and may free their
// sender or its parent, after which the toolkit must not touch it. The guard stands on the
// object's notify list while it lives. An object already being destroyed counts as gone.
class TvgObjectGuard final : public IvgFreeNotify {
public:
  explicit TvgObjectGuard(TvgObject* object);
  ~TvgObjectGuard();
  TvgObjectGuard(const TvgObjectGuard&) = delete;
  TvgObjectGuard& operator=(const TvgObjectGuard&) = delete;

  bool Alive() const { return FObject != nullptr; }
  void FreeNotification(TvgObject*) override { FObject = nullptr; }

private:
  TvgObject* FObject = nullptr;
};

// New objects read from streams, of the registered class that the stream names (a class
// derived from TvgObject), owned by AOwner (by the caller when there is none), read as a
// copy from the stream's position. Anything that stops the read gives none.
TvgObject* CreateObjectFromBinStream(TComponent* AOwner, TMemoryStream& AStream);
// The same from the text form, read from the start of the stream.
TvgObject* CreateObjectFromStream(TComponent* AOwner, TMemoryStream& AStream);

}  // namespace vd
