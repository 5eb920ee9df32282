#include "scene/Image.h"

namespace vd {

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

}  // namespace vd
