#pragma once
// A collection: an owned, ordered list of items of one class, each with its own published
// properties. A class-typed property whose object is a collection is stored as a
// collection value ("Points = <item ... end>").

#include <functional>
#include <memory>
#include <vector>

#include "core/Persistent.h"

namespace vd {

class TCollection;

class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection& collection) : FCollection(collection) {}
  TCollection& Collection() const { return FCollection; }
  int Index() const;

private:
  TCollection& FCollection;
};

class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection&)>;

  explicit TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises "Range check error" for an index outside 0..Count-1.
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  void Delete(int index);
  void Clear() { FItems.clear(); }

private:
  friend class TCollectionItem;
  TItemFactory FFactory;
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
};

// A collection of items of class TItem (constructed from the collection).
template <class TItem>
class TTypedCollection : public TCollection {
public:
  TTypedCollection() : TCollection([](TCollection& owner) { return std::make_unique<TItem>(owner); }) {}
  TItem* Items(int index) const { return static_cast<TItem*>(TCollection::Items(index)); }
  TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
};

}  // namespace vd
