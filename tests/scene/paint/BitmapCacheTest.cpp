// What a canvas keeps with a picture lasts as long as the picture's data.

#include <gtest/gtest.h>

#include "scene/paint/Bitmap.h"

namespace vd {
namespace {

class TCountedCache : public TvgBitmapCache {
public:
  explicit TCountedCache(int& alive) : FAlive(alive) { ++FAlive; }
  ~TCountedCache() override { --FAlive; }

private:
  int& FAlive;
};

TEST(BitmapCacheTest, NewDataOrTheEndOfThePictureDropsWhatTheCanvasKept) {
  int alive = 0;
  {
    TvgBitmap bitmap;
    bitmap.SetCache(std::make_unique<TCountedCache>(alive));
    ASSERT_NE(bitmap.Cache(), nullptr);
    const std::uint8_t data[] = {1, 2, 3};
    bitmap.SetPNG(data);
    EXPECT_EQ(bitmap.Cache(), nullptr);
    EXPECT_EQ(alive, 0);
    bitmap.SetCache(std::make_unique<TCountedCache>(alive));
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace vd
