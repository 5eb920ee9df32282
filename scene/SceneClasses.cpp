#include "scene/SceneClasses.h"

#include "core/ClassRegistry.h"
#include "scene/Animations.h"
#include "scene/Background.h"
#include "scene/Buttons.h"
#include "scene/Image.h"
#include "scene/Layouts.h"
#include "scene/Resources.h"
#include "scene/Shapes.h"
#include "scene/Text.h"
#include "scene/TextControls.h"

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
