#include "scene/controls/Text.h"

namespace vd {

std::vector<std::u16string> TextAlignNames() { return {u"vgTextAlignCenter", u"vgTextAlignNear", u"vgTextAlignFar"}; }

TvgText::TvgText(TComponent* AOwner) : TvgVisualObject(AOwner) {
  FFont->OnChanged = [this] { Repaint(); };
  FFill->OnChanged = [this] { Repaint(); };
}

const TClassInfo& TvgText::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgText>(u"TvgText", TvgVisualObject::StaticClassInfo())
          .Creatable()
          .Object(u"Fill", &TvgText::Fill)
          .Object(u"Font", &TvgText::Font)
          .Enumeration(u"HorzTextAlign", &TvgText::HorzTextAlign, &TvgText::SetHorzTextAlign, TextAlignNames())
          .Default(vgTextAlignCenter)
          .Enumeration(u"VertTextAlign", &TvgText::VertTextAlign, &TvgText::SetVertTextAlign, TextAlignNames())
          .Default(vgTextAlignCenter)
          .String(u"Text", &TvgText::Text, &TvgText::SetText)
          .Boolean(u"WordWrap", &TvgText::WordWrap, &TvgText::SetWordWrap)
          .Default(false)
          .Build();
  return info;
}

void TvgText::SetText(const std::u16string& value) {
  if (value == FText) return;
  FText = value;
  Repaint();
}

void TvgText::SetHorzTextAlign(TvgTextAlign value) {
  if (value == FHorzTextAlign) return;
  FHorzTextAlign = value;
  Repaint();
}

void TvgText::SetVertTextAlign(TvgTextAlign value) {
  if (value == FVertTextAlign) return;
  FVertTextAlign = value;
  Repaint();
}

void TvgText::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  Repaint();
}

TvgTextFormat TvgText::Format() const {
  return {FFont->Family(), FFont->Size(), FFont->Bold(), FFont->Italic(), FHorzTextAlign, FVertTextAlign, FWordWrap};
}

void TvgText::Paint(IvgCanvas& canvas) {
  if (FFill->Style() == vgBrushSolid && !FText.empty())
    canvas.FillText(LocalRect(), FText, Format(), FFill->Color(), AbsoluteOpacity());
}

}  // namespace vd
