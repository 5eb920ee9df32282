#include "scene/layout/Containers.h"

namespace vd {

const TClassInfo& TvgLayout::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgLayout>(u"TvgLayout", TvgVisualObject::StaticClassInfo()).Creatable().Build();
  return info;
}

const TClassInfo& TvgContent::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgContent>(u"TvgContent", TvgVisualObject::StaticClassInfo()).Creatable().Build();
  return info;
}

}  // namespace vd
