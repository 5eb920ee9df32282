#pragma once
// TvgBackground, the usual root of a scene: a control (its class style, "backgroundstyle",
// is an opaque rectangle) with a brush of its own that it paints under its children when
// the brush has a style.

#include <memory>

#include "scene/paint/Brush.h"
#include "scene/style/Control.h"

namespace vd {

class TvgBackground : public TvgControl {
public:
  explicit TvgBackground(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // No style, #FFE0E0E0.
  TvgBrush* Fill() const { return FFill.get(); }

protected:
  void Paint(IvgCanvas& canvas) override;
  // The style stays hidden when the brush has a style, and for the root of a transparent
  // scene, so that only the children give the pixels their colour and opacity.
  void PaintChildren(IvgCanvas& canvas) override;

private:
  std::unique_ptr<TvgBrush> FFill = std::make_unique<TvgBrush>(vgBrushNone, 0xFFE0E0E0);
};

}  // namespace vd
