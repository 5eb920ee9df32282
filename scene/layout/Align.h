#pragma once
// How a visual object is laid out inside its parent (scene/layout/VisualObjectLayout.cpp). Stored by these
// value names (Align = vaClient), so the names and their order are part of the stored format.

#include <string>
#include <vector>

namespace vd {

enum TvgAlign {
  vaNone,
  vaTopLeft,
  vaTopRight,
  vaBottomLeft,
  vaBottomRight,
  vaTop,
  vaLeft,
  vaRight,
  vaBottom,
  vaMostTop,
  vaMostBottom,
  vaMostLeft,
  vaMostRight,
  vaClient,
  vaContents,
  vaCenter,
  vaVertCenter,
  vaHorzCenter,
  vaHorizontal,
  vaVertical,
  vaScale,
  vaFit,
  vaFitLeft,
  vaFitRight,
};

std::vector<std::u16string> AlignNames();

}  // namespace vd
