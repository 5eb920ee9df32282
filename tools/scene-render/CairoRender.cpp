#include "tools/scene-render/CairoRender.h"

#include "platform/memory/MemoryPlatform.h"
#include "scene/style/DefaultStyle.h"

namespace vd {

std::vector<std::string> SceneFontFiles() {
  std::vector<std::string> files;
  const std::string list = VD_SCENE_FONTS;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) files.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return files;
}

std::filesystem::path BuiltFormsFolder() { return VD_BUILD_FORMS_DIR; }

TvgCairoDrawing RenderWithCairo(const TvgRenderRequest& request, const std::filesystem::path& defaultStyle,
                                const cairo::TvgCairoFonts& fonts) {
  platform::TMemoryPlatform platform;
  platform.Resources.AddDataResource(kDefaultStyleResource, CompiledForm(defaultStyle, request.IncludeDirs));
  TvgCairoDrawing drawing;
  drawing.Texts = DrawStoredScene(request, [&](int width, int height) -> IvgCanvas& {
    drawing.Canvas = std::make_unique<cairo::TvgCairoCanvas>(width, height, fonts);
    return *drawing.Canvas;
  });
  return drawing;
}

}  // namespace vd
