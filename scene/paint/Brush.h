#pragma once
// TvgBrush, how an area is filled: its style and colour ("Fill.Color = '#FFE0E0E0'").
// Each owner gives its brush the style and colour it starts with; only what differs from
// them is written.

#include <functional>
#include <string>

#include "core/ClassInfo.h"
#include "scene/paint/Colors.h"

namespace vd {

// Stored by these value names (Fill.Style = vgBrushNone).
enum TvgBrushStyle { vgBrushNone, vgBrushSolid, vgBrushGradient, vgBrushBitmap, vgBrushResource, vgBrushVisual };

class TvgBrush : public TPersistent {
public:
  TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TvgBrushStyle Style() const { return FStyle; }
  void SetStyle(TvgBrushStyle value);
  TvgColor Color() const { return FColor; }
  void SetColor(TvgColor value);
  // The colour's text form, "#AARRGGBB" (animations of "Fill.Color" go through it).
  std::u16string ColorText() const { return ColorToStr(FColor); }
  void SetColorText(const std::u16string& value) { SetColor(StrToColor(value)); }

  // Told of every change.
  std::function<void()> OnChanged;

private:
  bool IsStyleStored() const { return FStyle != FDefaultStyle; }
  bool IsColorStored() const { return FColor != FDefaultColor; }
  void Changed();

  TvgBrushStyle FStyle;
  TvgColor FColor;
  TvgBrushStyle FDefaultStyle;
  TvgColor FDefaultColor;
};

}  // namespace vd
