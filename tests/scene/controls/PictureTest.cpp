// Pictures on the canvas: an image in each wrap mode and in nine slices, its design-mode
// frame, and the bitmap state button choosing and placing its picture.

#include <gtest/gtest.h>

#include <string>

#include "scene/CustomScene.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/layout/Containers.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::PngOfSize;
using scene_test::TRecordingCanvas;
using scene_test::TStandInHost;

struct TImageCase {
  const char* Name;
  std::uint32_t PictureWidth, PictureHeight;  // 0: no picture
  float Width, Height;
  TvgImageWrap Wrap;
  TvgRect Margins;  // left, top, right, bottom
  const char* Expected;
  bool DisableInterpolation = false;
};

class ImageDrawingTest : public ::testing::TestWithParam<TImageCase> {};

TEST_P(ImageDrawingTest, DrawsThePictureAsTheWrapModeSays) {
  const TImageCase& c = GetParam();
  TvgImage image(nullptr);
  image.SetSize(c.Width, c.Height);
  if (c.PictureWidth > 0) image.Bitmap()->SetPNG(PngOfSize(c.PictureWidth, c.PictureHeight));
  image.SetWrapMode(c.Wrap);
  image.SetDisableInterpolation(c.DisableInterpolation);
  image.BitmapMargins()->SetRect(c.Margins);
  TRecordingCanvas canvas;
  image.PaintTo(canvas);
  EXPECT_EQ(canvas.Calls(), c.Expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ImageDrawingTest, ::testing::Values(
    // The About window's background: ratio 1327/400, 502 × 400, one pixel in.
    TImageCase{"FitLarger", 1667, 1327, 504, 400, vgImageFit, {}, "bitmap (0,0,1667,1327) -> (1,0,503,400)"},
    // The web button: natural size, offsets Round(3.5) = 4 and Round(0.5) = 0.
    TImageCase{"FitSmaller", 70, 30, 77, 31, vgImageFit, {}, "bitmap (0,0,70,30) -> (4,0,74,30)"},
    TImageCase{"FitNearest", 70, 30, 77, 31, vgImageFit, {}, "bitmap (0,0,70,30) -> (4,0,74,30) nearest", true},
    TImageCase{"Original", 70, 30, 50, 20, vgImageOriginal, {},
               "save; clip (0,0,50,20); bitmap (0,0,70,30) -> (0,0,70,30) nearest; restore"},
    TImageCase{"Stretch", 70, 30, 77, 31, vgImageStretch, {}, "bitmap (0,0,70,30) -> (0,0,77,31)"},
    // Copies at i = 0 .. Round(40/30) = 1, j = 0 .. Round(30/20) = 2.
    TImageCase{"Tile", 30, 20, 40, 30, vgImageTile, {},
               "save; clip (0,0,40,30); bitmap (0,0,30,20) -> (0,0,30,20) nearest; "
               "bitmap (0,0,30,20) -> (0,20,30,40) nearest; bitmap (0,0,30,20) -> (0,40,30,60) nearest; "
               "bitmap (0,0,30,20) -> (30,0,60,20) nearest; bitmap (0,0,30,20) -> (30,20,60,40) nearest; "
               "bitmap (0,0,30,20) -> (30,40,60,60) nearest; restore"},
    TImageCase{"Empty", 0, 0, 77, 31, vgImageFit, {}, ""},
    // With margins, nine slices whatever the wrap mode: the corners keep their size.
    TImageCase{"NineSlices", 40, 20, 100, 50, vgImageFit, {10, 5, 10, 5},
               "bitmap (0,0,10,5) -> (0,0,10,5) nearest; bitmap (10,0,30,5) -> (10,0,90,5) nearest; "
               "bitmap (30,0,40,5) -> (90,0,100,5) nearest; bitmap (0,5,10,15) -> (0,5,10,45) nearest; "
               "bitmap (10,5,30,15) -> (10,5,90,45) nearest; bitmap (30,5,40,15) -> (90,5,100,45) nearest; "
               "bitmap (0,15,10,20) -> (0,45,10,50) nearest; bitmap (10,15,30,20) -> (10,45,90,50) nearest; "
               "bitmap (30,15,40,20) -> (90,45,100,50) nearest"},
    // Slices of no size are left out.
    TImageCase{"LeftMarginOnly", 40, 20, 100, 50, vgImageTile, {10, 0, 0, 0},
               "bitmap (0,0,10,20) -> (0,0,10,50) nearest; bitmap (10,0,40,20) -> (10,0,100,50) nearest"}),
    [](const ::testing::TestParamInfo<TImageCase>& info) { return info.param.Name; });
// clang-format on

TEST(ImageTest, ATiledImageMakesAtMost65536DrawsInAll) {
  // A pixel over 1000 × 1000 would be 1001 × 1001 draws: as many rows of 1001 as the bound
  // holds are drawn (65), the rest go.
  TvgImage image(nullptr);
  image.SetSize(1000, 1000);
  image.SetWrapMode(vgImageTile);
  image.Bitmap()->SetPNG(PngOfSize(1, 1));
  TRecordingCanvas canvas;
  image.PaintTo(canvas);
  ASSERT_EQ(canvas.FBitmaps.size(), 1001u * 65u);
  EXPECT_EQ(canvas.FCalls[canvas.FCalls.size() - 2], "bitmap (0,0,1,1) -> (1000,64,1001,65) nearest");
}

TEST(ImageTest, DrawsWithItsAbsoluteOpacityAndADesignFrameWhenUnlocked) {
  TvgCustomScene scene(nullptr);
  TvgLayout parent(nullptr);
  parent.SetOpacity(0.5f);
  scene.AddObject(&parent);
  TvgImage image(nullptr);
  image.SetOpacity(0.5f);
  image.SetSize(50, 30);
  parent.AddObject(&image);
  image.Bitmap()->SetPNG(PngOfSize(10, 10));
  TRecordingCanvas canvas;
  image.PaintTo(canvas);
  ASSERT_EQ(canvas.FBitmaps.size(), 1u);
  EXPECT_EQ(canvas.FBitmaps[0].Bitmap, image.Bitmap());
  EXPECT_EQ(canvas.FBitmaps[0].Opacity, 0.25f);

  scene.SetDesigning(true);
  image.Bitmap()->SetPNG({});
  canvas.FCalls.clear();
  image.PaintTo(canvas);
  EXPECT_EQ(canvas.Calls(), "frame (0.5,0.5,49.5,29.5) #A0909090 1 dashed");
  image.SetLocked(true);
  canvas.FCalls.clear();
  image.PaintTo(canvas);
  EXPECT_EQ(canvas.Calls(), "");
  scene.RemoveObject(&parent);
}

TEST(BitmapStateButtonTest, ChoosesThePictureByTheMouseAndPlacesIt) {
  TStandInHost host;
  TvgCustomScene scene(nullptr);
  scene.SetHost(&host);
  TvgBitmapStateButton button(nullptr);
  scene.AddObject(&button);
  button.SetSize(94, 27);
  const auto paint = [&] {
    TRecordingCanvas canvas;
    button.PaintTo(canvas);
    return canvas.Calls();
  };
  const auto repaints = [&](auto&& action) {
    host.FDamage.clear();
    action();
    return !host.FDamage.empty();
  };
  EXPECT_EQ(paint(), "");  // no picture: nothing
  button.Bitmap()->SetPNG(PngOfSize(94, 27));
  button.BitmapHot()->SetPNG(PngOfSize(90, 25));
  button.BitmapDown()->SetPNG(PngOfSize(80, 20));
  EXPECT_EQ(paint(), "bitmap (0,0,94,27) -> (0,0,94,27)");  // 1:1 at the origin
  EXPECT_TRUE(repaints([&] { button.MouseEnter(); }));
  EXPECT_EQ(paint(), "bitmap (0,0,90,25) -> (2,1,92,26)");  // natural size, centred
  button.SetIsPressed(true);
  EXPECT_TRUE(repaints([&] { button.MouseLeave(); }));
  EXPECT_EQ(paint(), "bitmap (0,0,80,20) -> (7,4,87,24)");  // pressed wins; Round(3.5) = 4
  EXPECT_TRUE(repaints([&] { button.StartTriggerAnimation(&button, u"IsPressed"); }));
  EXPECT_FALSE(repaints([&] { button.StartTriggerAnimation(&button, u"IsFocused"); }));
  button.SetIsPressed(false);
  EXPECT_TRUE(repaints([&] { button.Bitmap()->SetPNG(PngOfSize(188, 40)); }));
  EXPECT_EQ(paint(), "bitmap (0,0,188,40) -> (0,4,94,24)");  // larger: scaled down to fit, centred
  scene.RemoveObject(&button);
}

}  // namespace
}  // namespace vd
