#include "scene/controls/Shapes.h"

namespace vd {

TvgRectangle::TvgRectangle(TComponent* AOwner) : TvgVisualObject(AOwner) {
  FFill->OnChanged = [this] { Repaint(); };
  FStroke->OnChanged = [this] { Repaint(); };
}

const TClassInfo& TvgRectangle::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgRectangle>(u"TvgRectangle", TvgVisualObject::StaticClassInfo())
          .Creatable()
          .Object(u"Fill", &TvgRectangle::Fill)
          .Object(u"Stroke", &TvgRectangle::Stroke)
          .Float(u"StrokeThickness", &TvgRectangle::StrokeThickness, &TvgRectangle::SetStrokeThickness)
          .Default(1.0)
          .Build();
  return info;
}

void TvgRectangle::SetStrokeThickness(float value) {
  if (value == FStrokeThickness) return;
  FStrokeThickness = value;
  Repaint();
}

void TvgRectangle::Paint(IvgCanvas& canvas) {
  const float opacity = AbsoluteOpacity();
  if (FFill->Style() == vgBrushSolid) canvas.FillRect(LocalRect(), FFill->Color(), opacity);
  if (FStroke->Style() == vgBrushSolid && FStrokeThickness > 0) {
    // The outline lies inside the rectangle.
    const float half = FStrokeThickness / 2;
    canvas.DrawRect({half, half, Width() - half, Height() - half}, FStroke->Color(), FStrokeThickness, vgDashSolid,
                    opacity);
  }
}

}  // namespace vd
