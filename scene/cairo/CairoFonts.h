#pragma once
// The fonts a cairo canvas draws text with: a pango font map over a font configuration of
// its own, made of the given font files only, so that what is drawn does not depend on the
// fonts the machine has installed. Without files it is the machine's configuration.

#include <memory>
#include <string>
#include <vector>

typedef struct _PangoFontMap PangoFontMap;

namespace vd::cairo {

class TvgCairoFonts {
public:
  // Raises std::runtime_error naming a file that cannot be read as a font.
  explicit TvgCairoFonts(const std::vector<std::string>& files = {});
  ~TvgCairoFonts();
  TvgCairoFonts(const TvgCairoFonts&) = delete;
  TvgCairoFonts& operator=(const TvgCairoFonts&) = delete;

  PangoFontMap* FontMap() const { return FFontMap; }

private:
  PangoFontMap* FFontMap = nullptr;
};

}  // namespace vd::cairo
