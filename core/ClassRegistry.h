#pragma once
// The process-wide registry of the classes that streams create, by class name. Register a
// class before the first stream that names it is read, on the main thread. (The names keep
// clear of the Windows macro RegisterClass.)

#include <initializer_list>
#include <string_view>

#include "core/ClassInfo.h"

namespace vd {

// Registering the same class again changes nothing; another class of a registered name
// raises EStreamError "Class %s already registered".
void RegisterComponentClass(const TClassInfo& info);
void RegisterComponentClasses(std::initializer_list<const TClassInfo*> classes);
// The class of that name (compared without regard to ASCII case), or nullptr.
const TClassInfo* FindComponentClass(std::u16string_view name);

}  // namespace vd
