#include "scene/controls/Image.h"

#include <algorithm>
#include <cmath>

#include "scene/tree/SceneInterface.h"

namespace vd {

namespace {

constexpr TvgColor kDesignFrameColor = 0xA0909090;

// The most copies one tiled drawing makes, over both axes together: a small picture over a
// large image would otherwise cost a draw for every few pixels of it (the rows beyond are
// left out).
constexpr double kMostTiles = 65536;

// How many more copies of a picture `size` long tile `extent`: Round(extent / size), at
// least none and at most `most`.
int TileCount(float extent, int size, double most) {
  const double count = RoundHalfEven(extent / static_cast<float>(size));
  return count >= 0 ? static_cast<int>(std::min(count, most)) : 0;
}

}  // namespace

TvgImage::TvgImage(TComponent* AOwner) : TvgVisualObject(AOwner) {
  FBitmap->OnChange = [this] { Repaint(); };
  FBitmapMargins->OnChange = [this] { Repaint(); };
}

const TClassInfo& TvgImage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgImage>(u"TvgImage", TvgVisualObject::StaticClassInfo())
          .Creatable()
          .Object(u"Bitmap", &TvgImage::Bitmap)
          .Object(u"BitmapMargins", &TvgImage::BitmapMargins)
          .Enumeration(u"WrapMode", &TvgImage::WrapMode, &TvgImage::SetWrapMode,
                       {u"vgImageOriginal", u"vgImageFit", u"vgImageStretch", u"vgImageTile"})
          .Default(vgImageFit)
          .Boolean(u"DisableInterpolation", &TvgImage::DisableInterpolation, &TvgImage::SetDisableInterpolation)
          .Default(false)
          .Event(u"OnBitmapLoaded", &TvgImage::OnBitmapLoaded)
          .Build();
  return info;
}

void TvgImage::SetWrapMode(TvgImageWrap value) {
  if (value == FWrapMode) return;
  FWrapMode = value;
  Repaint();
}

void TvgImage::SetDisableInterpolation(bool value) {
  if (value == FDisableInterpolation) return;
  FDisableInterpolation = value;
  Repaint();
}

void TvgImage::Paint(IvgCanvas& canvas) {
  if (Scene() && Scene()->GetDesignTime() && !Locked())
    canvas.DrawRect({0.5f, 0.5f, Width() - 0.5f, Height() - 0.5f}, kDesignFrameColor, 1, vgDashDash, 1);
  const TvgBitmap& picture = *FBitmap;
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  const float opacity = AbsoluteOpacity();
  if (FBitmapMargins->Left() != 0 || FBitmapMargins->Top() != 0 || FBitmapMargins->Right() != 0 ||
      FBitmapMargins->Bottom() != 0) {
    PaintSlices(canvas, opacity);
    return;
  }
  const auto width = static_cast<float>(picture.Width());
  const auto height = static_cast<float>(picture.Height());
  const TvgRect whole{0, 0, width, height};
  switch (FWrapMode) {
    case vgImageOriginal:
      canvas.SaveState();
      canvas.IntersectClipRect(LocalRect());
      canvas.DrawBitmap(picture, whole, whole, opacity, false);
      canvas.RestoreState();
      break;
    case vgImageFit: {
      TvgRect fitted = whole;
      FitRect(fitted, LocalRect());
      canvas.DrawBitmap(picture, whole, fitted, opacity, !FDisableInterpolation);
      break;
    }
    case vgImageStretch:
      canvas.DrawBitmap(picture, whole, LocalRect(), opacity, !FDisableInterpolation);
      break;
    case vgImageTile: {
      canvas.SaveState();
      canvas.IntersectClipRect(LocalRect());
      const int columns = TileCount(Width(), picture.Width(), kMostTiles - 1);
      const int rows = TileCount(Height(), picture.Height(), std::floor(kMostTiles / (columns + 1)) - 1);
      for (int i = 0; i <= columns; ++i)
        for (int j = 0; j <= rows; ++j)
          canvas.DrawBitmap(picture, whole, {i * width, j * height, (i + 1) * width, (j + 1) * height}, opacity, false);
      canvas.RestoreState();
      break;
    }
  }
}

void TvgImage::PaintSlices(IvgCanvas& canvas, float opacity) const {
  const TvgBitmap& picture = *FBitmap;
  const float l = FBitmapMargins->Left();
  const float t = FBitmapMargins->Top();
  const float r = FBitmapMargins->Right();
  const float b = FBitmapMargins->Bottom();
  const auto pw = static_cast<float>(picture.Width());
  const auto ph = static_cast<float>(picture.Height());
  const float w = Width();
  const float h = Height();
  // Columns and rows of the source and of the destination: the corners keep their size,
  // the edges stretch along their length, the centre both ways.
  const float sourceX[] = {0, l, pw - r, pw};
  const float sourceY[] = {0, t, ph - b, ph};
  const float targetX[] = {0, l, w - r, w};
  const float targetY[] = {0, t, h - b, h};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const TvgRect source{sourceX[column], sourceY[row], sourceX[column + 1], sourceY[row + 1]};
      const TvgRect target{targetX[column], targetY[row], targetX[column + 1], targetY[row + 1]};
      if (source.Width() > 0 && source.Height() > 0 && target.Width() > 0 && target.Height() > 0)
        canvas.DrawBitmap(picture, source, target, opacity, false);
    }
}

}  // namespace vd
