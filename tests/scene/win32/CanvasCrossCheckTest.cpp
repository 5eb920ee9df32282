// The two canvases check each other: the About window's and the notice's stored scenes drawn
// here with GDI+, also at the scales of 144 and 192 DPI, against their drawings with cairo on
// the build machine (the golden pictures of the native suite). The shape (alpha) and
// everything but the texts must agree closely; texts, which the two engines lay out and
// smooth differently, more loosely.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "scene/paint/Bitmap.h"
#include "scene/win32/GdiPlusCanvas.h"
#include "tests/forms/CanvasTolerances.h"
#include "tests/forms/NoticeAfterMute.h"
#include "tests/forms/PictureDifference.h"
#include "tools/scene-render/StoredScene.h"

namespace vd::win32 {
namespace {

namespace fs = std::filesystem;
using picture_test::TPicture;

using picture_test::kCanvasOutsideAllowed;
using picture_test::kCanvasShapeAllowed;
using picture_test::kCanvasTextShareAllowed;
using picture_test::kCanvasThreshold;

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
  float Scale = 1;
  const char* Form = "VDMonMain.form";
  std::vector<std::pair<std::u16string, std::u16string>> Settings = {};
};

using picture_test::kNoticeMuted;

class CanvasCrossCheckTest : public ::testing::TestWithParam<TCase> {};

TEST_P(CanvasCrossCheckTest, GdiPlusDrawsTheStoredSceneAsCairoDoes) {
  const platform::TWin32Platform system;
  const fs::path forms = VD_FORMS_DIR;
  TvgRenderRequest request;
  request.Form = forms / GetParam().Form;
  request.Settings = GetParam().Settings;
  request.Scale = GetParam().Scale;
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

  const auto difference = picture_test::Difference(cairo, PictureOf(canvas), kCanvasThreshold, texts);
  double textArea = 0;
  for (const TvgRect& text : texts) textArea += text.Width() * text.Height();
  std::printf("%s: %d pixels of the shape, %d outside the texts (largest channel difference %d), %d of %.0f in "
              "the texts differ by more than %d\n",
              GetParam().Golden, difference.ShapeOff, difference.OutsideOff, difference.LargestOutside,
              difference.InsideOff, textArea, kCanvasThreshold);
  EXPECT_LE(difference.ShapeOff, kCanvasShapeAllowed);
  EXPECT_LE(difference.OutsideOff, kCanvasOutsideAllowed);
  EXPECT_LE(difference.InsideOff, kCanvasTextShareAllowed * textArea);
}

INSTANTIATE_TEST_SUITE_P(About, CanvasCrossCheckTest,
                         ::testing::Values(TCase{"about-normal-US.png", TvgRenderState::Normal},
                                           TCase{"about-pressed-US.png", TvgRenderState::Pressed},
                                           TCase{"about-normal-US-150.png", TvgRenderState::Normal, 1.5f},
                                           TCase{"about-normal-US-200.png", TvgRenderState::Normal, 2}));
INSTANTIATE_TEST_SUITE_P(Notice, CanvasCrossCheckTest,
                         ::testing::Values(TCase{"notice-muted-US-200.png", TvgRenderState::Normal, 2, "Notice.form",
                                                 kNoticeMuted}));

}  // namespace
}  // namespace vd::win32
