#include "scene/cairo/CairoTextLines.h"

#include <hb-ot.h>

#include <algorithm>
#include <cmath>
#include <span>

namespace vd::cairo {

namespace {

// The font's Windows ascent and descent at `size` units, in whole device pixels as GDI
// measures fonts, `pixels` a unit; pango's own where the font has no such table.
std::pair<double, double> WindowsAscentAndDescent(PangoFont* font, double size, double pixels) {
  const auto whole = [pixels](double units) { return std::round(units * pixels) / pixels; };
  hb_font_t* shaper = pango_font_get_hb_font(font);
  int xScale = 0, yScale = 0;
  if (shaper) hb_font_get_scale(shaper, &xScale, &yScale);
  hb_position_t ascent = 0, descent = 0;
  if (yScale != 0 && hb_ot_metrics_get_position(shaper, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT, &ascent) &&
      hb_ot_metrics_get_position(shaper, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT, &descent))
    return {whole(size * std::abs(ascent) / yScale), whole(size * std::abs(descent) / yScale)};
  PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
  const std::pair<double, double> own{whole(pango_units_to_double(pango_font_metrics_get_ascent(metrics))),
                                      whole(pango_units_to_double(pango_font_metrics_get_descent(metrics)))};
  pango_font_metrics_unref(metrics);
  return own;
}

// Whether cairo knows the glyph: pango marks those that no font has, and empty ones.
bool IsFontGlyph(PangoGlyph glyph) { return !(glyph & PANGO_GLYPH_UNKNOWN_FLAG) && glyph != PANGO_GLYPH_EMPTY; }

}  // namespace

std::vector<TvgSetLine> SetLines(PangoLayout* layout, double size, double pixels) {
  std::vector<TvgSetLine> lines;
  for (GSList* each = pango_layout_get_lines_readonly(layout); each; each = each->next) {
    auto* line = static_cast<PangoLayoutLine*>(each->data);
    TvgSetLine& set = lines.emplace_back();
    for (GSList* item = line->runs; item; item = item->next) {
      const auto* run = static_cast<const PangoGlyphItem*>(item->data);
      PangoFont* font = run->item->analysis.font;
      TvgGlyphs glyphs(pango_glyph_string_copy(run->glyphs));
      cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font));
      for (PangoGlyphInfo& glyph : std::span(glyphs->glyphs, static_cast<std::size_t>(glyphs->num_glyphs))) {
        if (scaled && IsFontGlyph(glyph.glyph)) {
          const cairo_glyph_t one{glyph.glyph, 0, 0};
          cairo_text_extents_t extents;
          cairo_scaled_font_glyph_extents(scaled, &one, 1, &extents);
          glyph.geometry.width = pango_units_from_double(extents.x_advance);
        }
        set.Width += pango_units_to_double(glyph.geometry.width);
      }
      const auto [ascent, descent] = WindowsAscentAndDescent(font, size, pixels);
      set.Ascent = std::max(set.Ascent, ascent);
      set.Descent = std::max(set.Descent, descent);
      set.Runs.emplace_back(font, std::move(glyphs));
    }
    if (set.Runs.empty()) {
      // An empty line is as high as pango makes it.
      PangoRectangle logical;
      pango_layout_line_get_extents(line, nullptr, &logical);
      set.Ascent = -pango_units_to_double(logical.y);
      set.Descent = pango_units_to_double(logical.height + logical.y);
    }
  }
  return lines;
}

void ShowLine(cairo_t* cairo, const TvgSetLine& line, double x, double baseline) {
  for (const auto& [font, glyphs] : line.Runs) {
    cairo_move_to(cairo, x, baseline);
    pango_cairo_show_glyph_string(cairo, font, glyphs.get());
    for (const PangoGlyphInfo& glyph : std::span(glyphs->glyphs, static_cast<std::size_t>(glyphs->num_glyphs)))
      x += pango_units_to_double(glyph.geometry.width);
  }
}

}  // namespace vd::cairo
