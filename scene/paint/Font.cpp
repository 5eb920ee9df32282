#include "scene/paint/Font.h"

namespace vd {

const TClassInfo& TvgFont::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgFont>(u"TvgFont", TPersistent::StaticClassInfo())
                                     .String(u"Family", &TvgFont::Family, &TvgFont::SetFamily)
                                     .Default(u"Tahoma")
                                     .Float(u"Size", &TvgFont::Size, &TvgFont::SetSize)
                                     .Default(11.0)
                                     .Set(u"Style", &TvgFont::Style, &TvgFont::SetStyle,
                                          {u"vgFontBold", u"vgFontItalic", u"vgFontUnderline", u"vgFontStrikeout"})
                                     .Default(0)
                                     .Build();
  return info;
}

void TvgFont::SetFamily(const std::u16string& value) {
  if (value == FFamily) return;
  FFamily = value;
  Changed();
}

void TvgFont::SetSize(float value) {
  if (value == FSize) return;
  FSize = value;
  Changed();
}

void TvgFont::SetStyle(std::uint8_t value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TvgFont::Assign(const TvgFont& source) {
  if (source.FFamily == FFamily && source.FSize == FSize && source.FStyle == FStyle) return;
  FFamily = source.FFamily;
  FSize = source.FSize;
  FStyle = source.FStyle;
  Changed();
}

void TvgFont::Changed() {
  if (OnChanged) OnChanged();
}

}  // namespace vd
