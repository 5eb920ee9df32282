#pragma once
// TvgImage, a visual object that shows a picture: at its natural size, fitted into the
// image (aspect kept, never enlarged), stretched over it, or tiled; with BitmapMargins, as
// nine slices whose corners keep their size. In design mode an unlocked image shows a
// dashed frame.

#include <memory>

#include "core/Event.h"
#include "scene/layout/VisualObject.h"
#include "scene/paint/Bitmap.h"

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

protected:
  void Paint(IvgCanvas& canvas) override;

private:
  void PaintSlices(IvgCanvas& canvas, float opacity) const;

  std::unique_ptr<TvgBitmap> FBitmap = std::make_unique<TvgBitmap>();
  std::unique_ptr<TvgBounds> FBitmapMargins = std::make_unique<TvgBounds>();
  TvgImageWrap FWrapMode = vgImageFit;
  bool FDisableInterpolation = false;
};

}  // namespace vd
