#include "scene/cairo/CairoFonts.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <stdexcept>

namespace vd::cairo {

namespace {

// Glyphs are drawn from their outlines, as the program draws them: some fonts (Wine's Tahoma
// among them) carry bitmaps for small sizes, with other shapes and widths.
void WithoutEmbeddedBitmaps(FcPattern* pattern, gpointer) {
  FcPatternDel(pattern, FC_EMBEDDED_BITMAP);
  FcPatternAddBool(pattern, FC_EMBEDDED_BITMAP, FcFalse);
}

}  // namespace

TvgCairoFonts::TvgCairoFonts(const std::vector<std::string>& files) {
  FFontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  if (!FFontMap) throw std::runtime_error("pango has no font map for cairo");
  pango_fc_font_map_set_default_substitute(PANGO_FC_FONT_MAP(FFontMap), WithoutEmbeddedBitmaps, nullptr, nullptr);
  if (files.empty()) return;
  // An empty configuration: no system folders, no substitution rules; a family that none of
  // the files has falls back to one of them.
  FcConfig* config = FcConfigCreate();
  for (const std::string& file : files)
    if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str()))) {
      FcConfigDestroy(config);
      g_object_unref(FFontMap);
      throw std::runtime_error("cannot read the font file " + file);
    }
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(FFontMap), config);
  FcConfigDestroy(config);  // the font map holds its own reference
}

TvgCairoFonts::~TvgCairoFonts() { g_object_unref(FFontMap); }

}  // namespace vd::cairo
