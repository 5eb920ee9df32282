#pragma once
// The process-wide registry of live scene objects, in creation order: every object enters it
// at creation and leaves it when it is destroyed, so it holds as many entries as there are
// objects alive, however many came and went. The global style lookup searches it. Main
// thread only.

#include <list>
#include <string_view>

namespace vd {

class TvgObject;

// A list: an object leaves it from wherever it stands, and the others keep their order.
using TObjectRegistry = std::list<TvgObject*>;

// The live objects, oldest first.
const TObjectRegistry& ObjectRegistry();
// Adds an object at its creation; answers its entry, which it hands back when destroyed.
TObjectRegistry::iterator AddToObjectRegistry(TvgObject* AObject);
void RemoveFromObjectRegistry(TObjectRegistry::iterator entry);

// The newest stored object whose ResourceName matches (ASCII case ignored); none for an empty
// name.
TvgObject* FindGlobalResource(std::u16string_view AResource);

}  // namespace vd
