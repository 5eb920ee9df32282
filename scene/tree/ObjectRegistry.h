#pragma once
// The process-wide registry of scene objects: every object enters it at creation, in
// creation order; a destroyed object's entry is emptied, and entries are never removed.
// The global style lookup searches it. Main thread only.

#include <cstddef>
#include <string_view>
#include <vector>

namespace vd {

class TvgObject;

// The entries, oldest first; those of destroyed objects are null.
const std::vector<TvgObject*>& ObjectRegistry();
// Adds an object at its creation; answers its entry's position.
std::size_t AddToObjectRegistry(TvgObject* AObject);
// Empties the entry of an object being destroyed.
void ClearObjectRegistryEntry(std::size_t position);

// The newest live, stored object whose ResourceName matches (ASCII case ignored); none for
// an empty name.
TvgObject* FindGlobalResource(std::u16string_view AResource);

}  // namespace vd
