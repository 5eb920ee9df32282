#pragma once
// The base of everything that has published properties: components, the objects they hold
// in class-typed properties, and collection items. Its class info describes those
// properties once per class (see core/ClassInfo.h).

#include <string_view>

namespace vd {

class TClassInfo;

class TPersistent {
public:
  TPersistent() = default;
  virtual ~TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  static const TClassInfo& StaticClassInfo();
  // The class info of the object's own class. Every class that publishes properties,
  // handler methods or fields overrides it with its StaticClassInfo().
  virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
  // The name written to and looked up from streams: the class info's name.
  virtual std::u16string_view ClassName() const;
};

}  // namespace vd
