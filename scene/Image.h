#pragma once
// TvgImage, a visual object that shows a picture (drawn as the picture drawing of the
// toolkit decides).

#include <memory>

#include "core/Event.h"
#include "scene/Bitmap.h"
#include "scene/VisualObject.h"

namespace vd {

// How the picture fills the image; stored by these value names.
enum TvgImageWrap { vgImageOriginal, vgImageFit, vgImageStretch, vgImageTile };

class TvgImage : public TvgVisualObject {
public:
  explicit TvgImage(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  // Margins of a nine-slice drawing, all 0 by default.
  TvgBounds* BitmapMargins() const { return FBitmapMargins.get(); }
  TvgImageWrap WrapMode() const { return FWrapMode; }
  void SetWrapMode(TvgImageWrap value);
  bool DisableInterpolation() const { return FDisableInterpolation; }
  void SetDisableInterpolation(bool value);

  TNotifyEvent OnBitmapLoaded;

private:
  std::unique_ptr<TvgBitmap> FBitmap = std::make_unique<TvgBitmap>();
  std::unique_ptr<TvgBounds> FBitmapMargins = std::make_unique<TvgBounds>();
  TvgImageWrap FWrapMode = vgImageFit;
  bool FDisableInterpolation = false;
};

}  // namespace vd
