#pragma once
// Shapes: visual objects that fill and outline their area with brushes.

#include <memory>

#include "scene/layout/VisualObject.h"
#include "scene/paint/Brush.h"

namespace vd {

// A rectangle filled white and outlined black, one pixel wide.
class TvgRectangle : public TvgVisualObject {
public:
  explicit TvgRectangle(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TvgBrush* Fill() const { return FFill.get(); }
  TvgBrush* Stroke() const { return FStroke.get(); }
  float StrokeThickness() const { return FStrokeThickness; }
  void SetStrokeThickness(float value);

protected:
  void Paint(IvgCanvas& canvas) override;

private:
  std::unique_ptr<TvgBrush> FFill = std::make_unique<TvgBrush>(vgBrushSolid, 0xFFFFFFFF);
  std::unique_ptr<TvgBrush> FStroke = std::make_unique<TvgBrush>(vgBrushSolid, 0xFF000000);
  float FStrokeThickness = 1;
};

}  // namespace vd
