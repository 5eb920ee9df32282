#include "scene/SceneClasses.h"

#include "core/ClassRegistry.h"
#include "scene/animation/Animations.h"
#include "scene/controls/Background.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/controls/Shapes.h"
#include "scene/controls/Text.h"
#include "scene/controls/TextControls.h"
#include "scene/layout/Containers.h"
#include "scene/style/StyleSet.h"

namespace vd {

void RegisterSceneClasses() {
  static const bool registered = [] {
    RegisterComponentClasses({&TvgLayout::StaticClassInfo(), &TvgContent::StaticClassInfo(),
                              &TvgRectangle::StaticClassInfo(), &TvgText::StaticClassInfo(),
                              &TvgImage::StaticClassInfo(), &TvgBackground::StaticClassInfo(),
                              &TvgLabel::StaticClassInfo(), &TvgButton::StaticClassInfo(),
                              &TvgBitmapStateButton::StaticClassInfo(), &TvgColorAnimation::StaticClassInfo(),
                              &TvgFloatAnimation::StaticClassInfo(), &TvgResources::StaticClassInfo()});
    return true;
  }();
  (void)registered;
}

}  // namespace vd
