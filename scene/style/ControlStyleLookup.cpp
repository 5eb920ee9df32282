// How a control finds its style: by its Resource name or its class's style name, in the
// scene's style set, the built-in default style set and every live style object.

#include <algorithm>

#include "base/Errors.h"
#include "base/Strings.h"
#include "scene/style/Control.h"
#include "scene/style/DefaultStyle.h"
#include "scene/tree/ObjectRegistry.h"
#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

// Real styles nest a few levels; a style that holds a control of its own style would
// otherwise nest on every paint.
constexpr int kMaxStyleDepth = 16;

// A copy of a style, owned by the control; none when the style cannot be copied.
TvgObject* CloneStyle(TvgObject& style, TvgControl& control) {
  try {
    return style.Clone(&control);
  } catch (const Exception&) {
    return nullptr;
  }
}

}  // namespace

std::u16string TvgControl::ClassStyleName(const TClassInfo& info) {
  const std::u16string_view name = info.Name();
  return std::u16string(name.substr(std::min<std::size_t>(3, name.size()))) + u"style";
}

TvgObject* TvgControl::LookupResourceObject() {
  if (!FResource.empty() && SameTextAscii(FResource, ResourceName())) return nullptr;
  if (StyleDepth() >= kMaxStyleDepth) return nullptr;
  TvgObject* sceneRoot = Scene() ? Scene()->GetStyleRoot() : nullptr;

  // A named style, wherever it is.
  if (!FResource.empty()) {
    TvgObject* found = sceneRoot ? sceneRoot->FindResource(FResource) : nullptr;
    if (!found && DefaultStyleRoot()) found = DefaultStyleRoot()->FindResource(FResource);
    if (!found) found = FindGlobalResource(FResource);
    if (found && found->Visual()) {
      TvgObject* clone = CloneStyle(*found, *this);
      if (clone) clone->SetResourceName(u"");
      return clone;
    }
  }

  TvgObject* defaultRoot = ReadDefaultStyleRoot();
  const std::u16string classStyle = ClassStyleName(ClassType());
  if (sceneRoot) {
    TvgObject* found = sceneRoot->FindResource(FResource);
    if (!found) found = sceneRoot->FindResource(classStyle);
    if (found) return CloneStyle(*found, *this);
  }
  if (!defaultRoot) return nullptr;
  const TClassInfo* parentClass = ClassType().Parent();
  for (const std::u16string& name : {FResource, classStyle, parentClass ? ClassStyleName(*parentClass) : u""})
    if (TvgObject* found = defaultRoot->FindResource(name)) return CloneStyle(*found, *this);
  return nullptr;
}

}  // namespace vd
