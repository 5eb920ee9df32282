#pragma once
// The hook component: links the external hook library ksHook.dll when it is created and
// unlinks it when it is destroyed. The monitor only checks that the library and its four
// entry points are there; it never switches a hook on.

#include "core/ClassInfo.h"
#include "core/Component.h"

namespace vd {

class TksHook : public TComponent {
public:
  explicit TksHook(TComponent* AOwner);
  ~TksHook() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // The library and all four entry points are available.
  bool DLLLoaded() const { return FDLLLoaded; }

private:
  bool FDLLLoaded = false;
};

}  // namespace vd
