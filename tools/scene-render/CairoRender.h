#pragma once
// Stored scenes drawn with the cairo canvas on the build machine, as the scene renderer and
// the golden-picture tests draw them.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scene/cairo/CairoCanvas.h"
#include "tools/scene-render/StoredScene.h"

namespace vd {

// The font files that both canvases draw the tests' texts with: Wine's Tahoma, which Wine
// itself uses, and the CJK font the prerequisites install.
std::vector<std::string> SceneFontFiles();
// The build's compiled forms folder (the monitor window's compiled dictionary is there).
std::filesystem::path BuiltFormsFolder();

struct TvgCairoDrawing {
  std::unique_ptr<cairo::TvgCairoCanvas> Canvas;
  // Where the drawing has text (DrawStoredScene).
  std::vector<TvgRect> Texts;
};

// The request's scene drawn with the fonts; the built-in default style set is read from its
// text form. Errors as DrawStoredScene.
TvgCairoDrawing RenderWithCairo(const TvgRenderRequest& request, const std::filesystem::path& defaultStyle,
                                const cairo::TvgCairoFonts& fonts);

}  // namespace vd
