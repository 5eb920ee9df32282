#pragma once
// Reads stored descriptions into components: forms and data modules from their embedded
// descriptions, and copies of components (scene objects, style sets) from streams.
//
// ReadComponent(root, description): the root takes the stored name (its class name is not
// checked) and properties. Each nested object is created by its class name (see
// RegisterComponentClass), owned by the root, handed to the component it is nested in
// (SetParentComponent), named, and given its properties; then its own nested objects.
// Handlers are bound by name to the root's published methods. Once everything is read,
// the root's published fields receive the components of their names, references are
// resolved by name (the root's name, a component of the root, or "RootName.Component"),
// and Loaded runs for every component read, the root first.
//
// What cannot be applied is skipped and the read goes on: an unknown property, a value of
// the wrong kind, a number that is not finite (or too large for a single-precision
// property), a setter that raises an Exception, a handler the root does not publish,
// an unknown class (its object and everything nested in it), an unresolved reference. The
// answer lists these errors as "Error reading Name.Property: message".
//
// Collection items are read in order into an emptied collection. Object prefix flags, child
// positions and item indexes are accepted and not used: they matter only to descriptions
// that inherit from another, which this system does not have.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Component.h"
#include "streams/ObjectStream.h"

namespace vd {

struct TReadOptions {
  // Read a copy: names stored in the stream are not applied, so every component read keeps
  // an empty name (and the root's fields are not filled).
  bool Copy = false;
};

std::vector<std::u16string> ReadComponent(TComponent& root, const TStreamObject& description,
                                          const TReadOptions& options = {});
// The same from an object stream ("TPF0" first). A malformed stream raises EReadError before
// anything is applied; bytes after the object are not looked at.
std::vector<std::u16string> ReadComponent(TComponent& root, std::span<const std::uint8_t> stream,
                                          const TReadOptions& options = {});

// A new component of the class that the stream names, owned by `owner` (by the caller when
// there is none), read as a copy. Anything that stops the read (a malformed stream or text,
// a class that is not registered or cannot be created) gives nullptr.
TComponent* CreateComponentFromBinStream(TComponent* owner, std::span<const std::uint8_t> stream);
// The same from the text form.
TComponent* CreateComponentFromStream(TComponent* owner, std::string_view text);

}  // namespace vd
