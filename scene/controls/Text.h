#pragma once
// TvgText, a text laid out in its rectangle, drawn with its Fill's colour.

#include <memory>
#include <string>
#include <vector>

#include "scene/layout/VisualObject.h"
#include "scene/paint/Brush.h"
#include "scene/paint/Font.h"

namespace vd {

class TvgText : public TvgVisualObject {
public:
  explicit TvgText(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::u16string& Text() const { return FText; }
  void SetText(const std::u16string& value);
  TvgFont* Font() const { return FFont.get(); }
  // Black unless told otherwise.
  TvgBrush* Fill() const { return FFill.get(); }
  TvgTextAlign HorzTextAlign() const { return FHorzTextAlign; }
  void SetHorzTextAlign(TvgTextAlign value);
  TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
  void SetVertTextAlign(TvgTextAlign value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

  TvgTextFormat Format() const;

protected:
  void Paint(IvgCanvas& canvas) override;

private:
  std::u16string FText;
  std::unique_ptr<TvgFont> FFont = std::make_unique<TvgFont>();
  std::unique_ptr<TvgBrush> FFill = std::make_unique<TvgBrush>(vgBrushSolid, 0xFF000000);
  TvgTextAlign FHorzTextAlign = vgTextAlignCenter;
  TvgTextAlign FVertTextAlign = vgTextAlignCenter;
  bool FWordWrap = false;
};

// The names of TvgTextAlign values, in order.
std::vector<std::u16string> TextAlignNames();

}  // namespace vd
