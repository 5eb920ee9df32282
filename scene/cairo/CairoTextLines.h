#pragma once
// The lines of a pango layout set as the Windows canvas sets them, so that a preview puts
// text where the program does: each glyph advances by its hinted width (its outline's width
// as FreeType hints it fully, which the program's text has under Wine, where pango takes
// the font's own widths rounded), and a line is as high as the font's Windows ascent and
// descent in whole pixels (OS/2 usWinAscent and usWinDescent, by which GDI and GDI+ place
// lines, where pango takes the typographic ones). The layout's context hints fully, with
// hinted metrics, and its fonts have no embedded bitmaps (scene/cairo/CairoFonts.h).

#include <pango/pangocairo.h>

#include <memory>
#include <utility>
#include <vector>

namespace vd::cairo {

struct TvgGlyphsFree {
  void operator()(PangoGlyphString* glyphs) const { pango_glyph_string_free(glyphs); }
};
using TvgGlyphs = std::unique_ptr<PangoGlyphString, TvgGlyphsFree>;

struct TvgSetLine {
  // The runs of the line in order, each with its font (the layout's) and its glyphs.
  std::vector<std::pair<PangoFont*, TvgGlyphs>> Runs;
  double Width = 0;
  double Ascent = 0;
  double Descent = 0;
};

// The layout's lines for a font of `size` units, `pixels` device pixels a unit (the scale a
// scene is drawn at), the lines' heights in whole device pixels; valid while the layout lives.
std::vector<TvgSetLine> SetLines(PangoLayout* layout, double size, double pixels);

// Draws the line with its baseline's left end at (x, baseline).
void ShowLine(cairo_t* cairo, const TvgSetLine& line, double x, double baseline);

}  // namespace vd::cairo
