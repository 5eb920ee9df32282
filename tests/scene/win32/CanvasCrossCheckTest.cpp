// The two canvases check each other: the About window's and the notice's stored scenes drawn
// here with GDI+, also at the scales of 144 and 192 DPI, against their drawing with cairo on
// the build machine (the golden pictures of the native suite). The shape (alpha) and everything but the texts must
// agree to what was measured; texts, which the two engines smooth differently, more loosely, but each line in the same
// place, as wide and as bright.

#include <gtest/gtest.h>

#include <cmath>
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
#include "tests/forms/PictureDifference.h"
#include "tests/forms/StoredScenes.h"
#include "tools/scene-render/StoredScene.h"

namespace vd::win32 {
namespace {

namespace fs = std::filesystem;
using picture_test::TPicture;

using namespace picture_test;

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

// A canvas that draws everything but texts, on another one.
class TWithoutTexts : public IvgCanvas {
public:
  explicit TWithoutTexts(IvgCanvas& canvas) : FCanvas(canvas) {}
  bool BeginScene() override { return FCanvas.BeginScene(); }
  void EndScene() override { FCanvas.EndScene(); }
  void ClipToRects(std::span<const TvgPixelRect> rects) override { FCanvas.ClipToRects(rects); }
  void ClearRect(const TvgPixelRect& rect, TvgColor color) override { FCanvas.ClearRect(rect, color); }
  void SetMatrix(const TvgMatrix& matrix) override { FCanvas.SetMatrix(matrix); }
  void SaveState() override { FCanvas.SaveState(); }
  void RestoreState() override { FCanvas.RestoreState(); }
  void IntersectClipRect(const TvgRect& rect) override { FCanvas.IntersectClipRect(rect); }
  void FillRect(const TvgRect& rect, TvgColor color, float opacity) override { FCanvas.FillRect(rect, color, opacity); }
  void DrawRect(const TvgRect& rect, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) override {
    FCanvas.DrawRect(rect, color, thickness, dash, opacity);
  }
  void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                  bool interpolate) override {
    FCanvas.DrawBitmap(bitmap, source, destination, opacity, interpolate);
  }
  void FillText(const TvgRect&, std::u16string_view, const TvgTextFormat&, TvgColor, float) override {}

private:
  IvgCanvas& FCanvas;
};

struct TCase {
  const char* Golden;
  const char* Form;
  TvgRenderState State;
  std::vector<std::pair<std::u16string, std::u16string>> Settings;
  float Scale = 1;
};

class CanvasCrossCheckTest : public ::testing::TestWithParam<TCase> {
protected:
  // The case's scene drawn with GDI+, with or without its texts; answers where the texts are.
  std::vector<TvgRect> Draw(TvgGdiPlusCanvas& canvas, bool texts) {
    const fs::path forms = VD_FORMS_DIR;
    TvgRenderRequest request;
    request.Form = forms / GetParam().Form;
    request.IncludeDirs = {VD_COMPILED_FORMS_DIR};
    request.Dictionaries = {forms / "ks.local.dict", forms / "Monitor.dict"};
    request.Language = u"US";
    request.State = GetParam().State;
    request.Settings = GetParam().Settings;
    request.Scale = GetParam().Scale;
    TWithoutTexts withoutTexts(canvas);
    return DrawStoredScene(request, [&](int width, int height) -> IvgCanvas& {
      canvas.ResizeBuffer(width, height);
      if (texts) return canvas;
      return withoutTexts;
    });
  }

  const platform::TWin32Platform FSystem;
};

TEST_P(CanvasCrossCheckTest, GdiPlusDrawsTheStoredSceneAsCairoDoes) {
  TvgGdiPlusCanvas canvas, background;
  const std::vector<TvgRect> texts = Draw(canvas, true);
  Draw(background, false);
  const TPicture gdiPlus = PictureOf(canvas), withoutTexts = PictureOf(background);
  const TPicture cairo = Decoded(fs::path(VD_GOLDEN_DIR) / GetParam().Golden);
  ASSERT_GT(cairo.Width, 0) << "no golden picture " << GetParam().Golden;

  const auto difference = Difference(cairo, gdiPlus, kCanvasThreshold, texts, kCanvasTextThreshold);
  double textArea = 0;
  for (const TvgRect& text : texts) textArea += text.Width() * text.Height();
  std::printf(
      "%s: %d pixels of the shape (largest alpha difference %d), %d outside the texts (largest channel "
      "difference %d) differ by more than %d; %d of %.0f in the texts by more than %d (largest %d)\n",
      GetParam().Golden, difference.ShapeOff, difference.LargestShape, difference.OutsideOff, difference.LargestOutside,
      kCanvasThreshold, difference.InsideOff, textArea, kCanvasTextThreshold, difference.LargestInside);
  EXPECT_LE(difference.ShapeOff, kCanvasShapeAllowed);
  EXPECT_LE(difference.OutsideOff, kCanvasOutsideAllowed);
  EXPECT_LE(difference.InsideOff, kCanvasTextShareAllowed * textArea);

  for (const TvgRect& text : texts) {
    const auto ofCairo = InkOf(cairo, withoutTexts, text);
    const auto ofGdiPlus = InkOf(gdiPlus, withoutTexts, text);
    std::printf(
        "  text at (%g,%g): centre %.2f and %.2f, columns %d-%d and %d-%d, brightest %d and %d (cairo and "
        "GDI+)\n",
        text.Left, text.Top, ofCairo.Middle, ofGdiPlus.Middle, ofCairo.Left, ofCairo.Right, ofGdiPlus.Left,
        ofGdiPlus.Right, ofCairo.Brightest, ofGdiPlus.Brightest);
    if (!ofGdiPlus.Any && !ofCairo.Any) continue;
    ASSERT_TRUE(ofGdiPlus.Any && ofCairo.Any) << "a text drawn by one canvas only, at " << text.Left << "," << text.Top;
    EXPECT_LE(std::abs(ofCairo.Middle - ofGdiPlus.Middle), kCanvasLineOffAllowed) << text.Left << "," << text.Top;
    EXPECT_LE(std::abs(ofCairo.Width() - ofGdiPlus.Width()), kCanvasWidthShareAllowed * ofGdiPlus.Width())
        << text.Left << "," << text.Top;
    EXPECT_LE(std::abs(ofCairo.Brightest - ofGdiPlus.Brightest), kCanvasBrightnessAllowed)
        << text.Left << "," << text.Top;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, CanvasCrossCheckTest,
                         ::testing::Values(TCase{"about-normal-US.png", "VDMonMain.form", TvgRenderState::Normal, {}},
                                           TCase{"about-pressed-US.png", "VDMonMain.form", TvgRenderState::Pressed, {}},
                                           TCase{"notice-muted-US.png", "Notice.form", TvgRenderState::Normal,
                                                 kNoticeMuted}));
INSTANTIATE_TEST_SUITE_P(
    Scaled, CanvasCrossCheckTest,
    ::testing::Values(TCase{"about-normal-US-150.png", "VDMonMain.form", TvgRenderState::Normal, {}, 1.5f},
                      TCase{"about-normal-US-200.png", "VDMonMain.form", TvgRenderState::Normal, {}, 2},
                      TCase{"notice-muted-US-200.png", "Notice.form", TvgRenderState::Normal, kNoticeMuted, 2}));

}  // namespace
}  // namespace vd::win32
