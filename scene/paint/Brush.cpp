#include "scene/paint/Brush.h"

namespace vd {

TvgBrush::TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor)
    : FStyle(defaultStyle), FColor(defaultColor), FDefaultStyle(defaultStyle), FDefaultColor(defaultColor) {}

const TClassInfo& TvgBrush::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgBrush>(u"TvgBrush", TPersistent::StaticClassInfo())
                                     .Enumeration(u"Style", &TvgBrush::Style, &TvgBrush::SetStyle,
                                                  {u"vgBrushNone", u"vgBrushSolid", u"vgBrushGradient",
                                                   u"vgBrushBitmap", u"vgBrushResource", u"vgBrushVisual"})
                                     .Stored(&TvgBrush::IsStyleStored)
                                     .String(u"Color", &TvgBrush::ColorText, &TvgBrush::SetColorText)
                                     .Stored(&TvgBrush::IsColorStored)
                                     .Build();
  return info;
}

void TvgBrush::SetStyle(TvgBrushStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TvgBrush::SetColor(TvgColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TvgBrush::Changed() {
  if (OnChanged) OnChanged();
}

}  // namespace vd
