// The two canvases check each other: the About window's stored scene drawn here with GDI+,
// against its drawing with cairo on the build machine (the golden pictures of the native
// suite). The shape (alpha) and everything but the texts must agree closely; texts, which
// the two engines lay out and smooth differently, more loosely.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/Win32Platform.h"
#include "scene/paint/Bitmap.h"
#include "scene/win32/GdiPlusCanvas.h"
#include "tests/forms/PictureDifference.h"
#include "tools/scene-render/StoredScene.h"

namespace vd::win32 {
namespace {

namespace fs = std::filesystem;
using picture_test::TPicture;

// A channel may be off by this much before a pixel counts as different.
constexpr int kThreshold = 48;
// Outside the texts, of the 504 x 400 pixels: both canvases reduce the background picture by
// averaging and draw the same shapes (measured: none off, the largest channel difference 2).
constexpr int kShapeAllowed = 20;
constexpr int kOutsideAllowed = 20;
// Inside the texts' rectangles, as a share of their area (measured: 0.11): the two text
// engines space and smooth letters differently.
constexpr double kTextShareAllowed = 0.2;

TPicture PictureOf(const TvgGdiPlusCanvas& canvas) {
  const TvgSceneBuffer& buffer = canvas.Buffer();
  return {buffer.Width(), buffer.Height(),
          std::vector<std::uint32_t>(buffer.Bits(), buffer.Bits() + buffer.Width() * buffer.Height())};
}

// A PNG as GDI+ decodes it, drawn one to one.
TPicture Decoded(const fs::path& png) {
  std::ifstream file(png, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TvgBitmap bitmap;
  bitmap.SetPNG(bytes);
  TvgGdiPlusCanvas canvas;
  canvas.ResizeBuffer(bitmap.Width(), bitmap.Height());
  if (!canvas.BeginScene()) return {};
  const TvgRect whole{0, 0, static_cast<float>(bitmap.Width()), static_cast<float>(bitmap.Height())};
  canvas.DrawBitmap(bitmap, whole, whole, 1, false);
  canvas.EndScene();
  return PictureOf(canvas);
}

struct TCase {
  const char* Golden;
  TvgRenderState State;
};

class CanvasCrossCheckTest : public ::testing::TestWithParam<TCase> {};

TEST_P(CanvasCrossCheckTest, GdiPlusDrawsTheStoredSceneAsCairoDoes) {
  const platform::TWin32Platform system;
  const fs::path forms = VD_FORMS_DIR;
  TvgRenderRequest request;
  request.Form = forms / "VDMonMain.form";
  request.IncludeDirs = {VD_COMPILED_FORMS_DIR};
  request.Dictionaries = {forms / "ks.local.dict", forms / "Monitor.dict"};
  request.Language = u"US";
  request.State = GetParam().State;
  TvgGdiPlusCanvas canvas;
  const std::vector<TvgRect> texts = DrawStoredScene(request, [&](int width, int height) -> IvgCanvas& {
    canvas.ResizeBuffer(width, height);
    return canvas;
  });
  const TPicture cairo = Decoded(fs::path(VD_GOLDEN_DIR) / GetParam().Golden);
  ASSERT_GT(cairo.Width, 0) << "no golden picture " << GetParam().Golden;

  const auto difference = picture_test::Difference(cairo, PictureOf(canvas), kThreshold, texts);
  double textArea = 0;
  for (const TvgRect& text : texts) textArea += text.Width() * text.Height();
  std::printf("%s: %d pixels of the shape, %d outside the texts (largest channel difference %d), %d of %.0f in "
              "the texts differ by more than %d\n",
              GetParam().Golden, difference.ShapeOff, difference.OutsideOff, difference.LargestOutside,
              difference.InsideOff, textArea, kThreshold);
  EXPECT_LE(difference.ShapeOff, kShapeAllowed);
  EXPECT_LE(difference.OutsideOff, kOutsideAllowed);
  EXPECT_LE(difference.InsideOff, kTextShareAllowed * textArea);
}

INSTANTIATE_TEST_SUITE_P(About, CanvasCrossCheckTest,
                         ::testing::Values(TCase{"about-normal-US.png", TvgRenderState::Normal},
                                           TCase{"about-pressed-US.png", TvgRenderState::Pressed}));

}  // namespace
}  // namespace vd::win32
