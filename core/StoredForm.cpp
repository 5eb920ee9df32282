#include "core/StoredForm.h"

#include "base/Errors.h"
#include "base/Strings.h"
#include "core/ComponentReader.h"
#include "platform/Platform.h"

namespace vd {

void ReadStoredForm(TComponent& root) {
  const auto& system = platform::Platform();
  const std::u16string className(root.ClassName());
  const std::span<const std::uint8_t> description = system.Resources->StoredForm(className);
  if (description.empty()) throw EResNotFound(className);
  for (const std::u16string& error : ReadComponent(root, description)) system.UI->DebugOutput(error);
}

}  // namespace vd
