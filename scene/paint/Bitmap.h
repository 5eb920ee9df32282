#pragma once
// TvgBitmap, a picture kept as the PNG data it is stored with ("Bitmap.PNG = {...}"). Its
// size comes from the data's header; decoding the pixels is the canvas's business, and the
// canvas may keep what it decoded with the picture (Cache), so that it decodes each picture
// once and what it keeps goes with the picture.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/ClassInfo.h"

namespace vd {

// What a canvas keeps with a picture; the picture drops it when its data changes or it goes.
class TvgBitmapCache {
public:
  virtual ~TvgBitmapCache() = default;
};

class TvgBitmap : public TPersistent {
public:
  TvgBitmap() = default;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::vector<std::uint8_t>& PNG() const { return FPNG; }
  void SetPNG(std::span<const std::uint8_t> data);
  // The size in pixels from the PNG header; 0 for data that is no PNG.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Told of every change.
  std::function<void()> OnChange;

  TvgBitmapCache* Cache() const { return FCache.get(); }
  void SetCache(std::unique_ptr<TvgBitmapCache> cache) const { FCache = std::move(cache); }

private:
  std::optional<std::vector<std::uint8_t>> StoredPNG() const;

  std::vector<std::uint8_t> FPNG;
  int FWidth = 0;
  int FHeight = 0;
  mutable std::unique_ptr<TvgBitmapCache> FCache;
};

}  // namespace vd
