#include "scene/tree/ObjectRegistry.h"

#include "base/Strings.h"
#include "scene/tree/VgObject.h"

namespace vd {

namespace {

// Never destroyed: objects that outlive static destruction still find it.
TObjectRegistry& Registry() {
  static auto* registry = new TObjectRegistry();
  return *registry;
}

}  // namespace

const TObjectRegistry& ObjectRegistry() { return Registry(); }

TObjectRegistry::iterator AddToObjectRegistry(TvgObject* AObject) {
  return Registry().insert(Registry().end(), AObject);
}

void RemoveFromObjectRegistry(TObjectRegistry::iterator entry) { Registry().erase(entry); }

TvgObject* FindGlobalResource(std::u16string_view AResource) {
  if (AResource.empty()) return nullptr;
  const TObjectRegistry& entries = Registry();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if ((*it)->Stored() && SameTextAscii((*it)->ResourceName(), AResource)) return *it;
  return nullptr;
}

}  // namespace vd
