#include "core/Collection.h"

#include "base/Errors.h"

namespace vd {

int TCollectionItem::Index() const {
  const auto& items = FCollection.FItems;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].get() == this) return static_cast<int>(i);
  return -1;
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw ERangeError();
  return FItems[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
  FItems.push_back(FFactory(*this));
  return FItems.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) throw ERangeError();
  FItems.erase(FItems.begin() + index);
}

}  // namespace vd
