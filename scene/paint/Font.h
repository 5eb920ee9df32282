#pragma once
// TvgFont, the font of texts: family, size in pixels and style ("Font.Size = 16",
// "Font.Style = [vgFontBold]").

#include <cstdint>
#include <functional>
#include <string>

#include "core/ClassInfo.h"

namespace vd {

// Bits of the font style, stored by their names.
enum TvgFontStyle : std::uint8_t { vgFontBold = 1, vgFontItalic = 2, vgFontUnderline = 4, vgFontStrikeout = 8 };

class TvgFont : public TPersistent {
public:
  TvgFont() = default;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::u16string& Family() const { return FFamily; }
  void SetFamily(const std::u16string& value);
  float Size() const { return FSize; }
  void SetSize(float value);
  std::uint8_t Style() const { return FStyle; }
  void SetStyle(std::uint8_t value);
  bool Bold() const { return (FStyle & vgFontBold) != 0; }
  bool Italic() const { return (FStyle & vgFontItalic) != 0; }
  void Assign(const TvgFont& source);

  // Told of every change.
  std::function<void()> OnChanged;

private:
  void Changed();

  std::u16string FFamily = u"Tahoma";
  float FSize = 11;
  std::uint8_t FStyle = 0;
};

}  // namespace vd
