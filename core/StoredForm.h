#pragma once
// Forms and data modules are created from the stored descriptions built into the program,
// one per class, named after it.

#include "core/Component.h"

namespace vd {

// Reads the stored description of the root's class into the root: its components are
// created, their properties set, handlers bound, references resolved, then Loaded runs.
// Parts that cannot be applied are skipped and traced to the debug output; a description
// that is missing or malformed raises an error.
void ReadStoredForm(TComponent& root);

}  // namespace vd
