#include "scene/tree/ObjectRegistry.h"

#include "scene/tree/VgObject.h"
#include "streams/Strings.h"

namespace vd {

namespace {

// Never destroyed: objects that outlive static destruction still find it.
std::vector<TvgObject*>& Registry() {
  static auto* registry = [] {
    auto* entries = new std::vector<TvgObject*>();
    entries->reserve(100);
    return entries;
  }();
  return *registry;
}

}  // namespace

const std::vector<TvgObject*>& ObjectRegistry() { return Registry(); }

std::size_t AddToObjectRegistry(TvgObject* AObject) {
  Registry().push_back(AObject);
  return Registry().size() - 1;
}

void ClearObjectRegistryEntry(std::size_t position) { Registry().at(position) = nullptr; }

TvgObject* FindGlobalResource(std::u16string_view AResource) {
  if (AResource.empty()) return nullptr;
  const std::vector<TvgObject*>& entries = Registry();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (*it && (*it)->Stored() && SameTextAscii((*it)->ResourceName(), AResource)) return *it;
  return nullptr;
}

}  // namespace vd
