#pragma once
// Visual objects that only hold and lay out others.

#include "scene/layout/VisualObject.h"

namespace vd {

// An invisible container.
class TvgLayout : public TvgVisualObject {
public:
  explicit TvgLayout(TComponent* AOwner) : TvgVisualObject(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

// The content area of a container that scrolls or pages it: streams write its children in
// its place, at its parent's level, and the content itself without children.
class TvgContent : public TvgVisualObject {
public:
  explicit TvgContent(TComponent* AOwner) : TvgVisualObject(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  void GetChildren(const std::function<void(TComponent*)>&, const TComponent*) const override {}

protected:
  bool ChildrenStoredInItsPlace() const override { return true; }
};

}  // namespace vd
