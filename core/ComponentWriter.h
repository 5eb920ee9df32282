#pragma once
// Writes a component, its published properties and the components nested in it as a
// stored description. Values take the tags our writer chooses (core/ObjectStream.h); which
// properties are written follows their storage rules (core/ClassInfo.h). A reference to a
// component of the root is written by name, to the root by the root's name, to a component
// of another owner as "Owner.Name"; an unnamed one is not written.

#include <cstdint>
#include <vector>

#include "core/Component.h"
#include "streams/MemoryStream.h"
#include "streams/ObjectStream.h"

namespace vd {

TStreamObject WriteComponentObject(const TComponent& root);
// "TPF0" and the root. Raises EWriteError for a name that streams cannot hold.
std::vector<std::uint8_t> WriteComponentStream(const TComponent& root);
// Writes the stream at the stream's position.
void WriteComponent(TMemoryStream& stream, const TComponent& root);

}  // namespace vd
