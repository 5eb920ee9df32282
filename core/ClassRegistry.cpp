#include "core/ClassRegistry.h"

#include <vector>

namespace vd {

namespace {

std::vector<const TClassInfo*>& Registry() {
  static std::vector<const TClassInfo*> classes;
  return classes;
}

}  // namespace

void RegisterComponentClass(const TClassInfo& info) {
  if (const TClassInfo* known = FindComponentClass(info.Name())) {
    if (known == &info) return;
    throw EStreamError(Format(u"Class %s already registered", {info.Name()}));
  }
  Registry().push_back(&info);
}

void RegisterComponentClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* info : classes) RegisterComponentClass(*info);
}

const TClassInfo* FindComponentClass(std::u16string_view name) {
  for (const TClassInfo* info : Registry())
    if (SameTextAscii(info->Name(), name)) return info;
  return nullptr;
}

}  // namespace vd
