// The look of the stored About window and notice, drawn natively with the cairo canvas (also
// as screens of 144 and 192 DPI show them), against golden pictures kept in golden/. With
// VD_UPDATE_GOLDEN=1 the test writes them instead (make golden); a changed golden picture is
// reviewed as a picture.

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tests/forms/PictureDifference.h"
#include "tests/forms/StoredScenes.h"
#include "tools/scene-render/CairoRender.h"

namespace vd {
namespace {

namespace fs = std::filesystem;
using picture_test::TPicture;

const fs::path kForms = VD_FORMS_DIR;
const fs::path kGolden = VD_GOLDEN_DIR;

// A channel may be off by this much outside the texts (a resampler of another cairo version)
// and inside them (the glyphs of another FreeType's hinting), and this many pixels may be off
// by more, in either: a move of two pixels or a new colour is far above it.
constexpr int kThreshold = 4;
constexpr int kTextThreshold = 48;
constexpr int kPixelsAllowed = 40;

struct TCase {
  const char* Name;
  const char* Form;
  TvgRenderState State;
  const char16_t* Language;
  std::vector<std::pair<std::u16string, std::u16string>> Settings;
  float Scale = 1;
};

using picture_test::kNoticeMuted;

const TCase kCases[] = {
    {"about-normal-US", "VDMonMain.form", TvgRenderState::Normal, u"US", {}},
    {"about-hot-US", "VDMonMain.form", TvgRenderState::Hot, u"US", {}},
    {"about-pressed-US", "VDMonMain.form", TvgRenderState::Pressed, u"US", {}},
    {"about-normal-CH", "VDMonMain.form", TvgRenderState::Normal, u"CH", {}},
    {"about-hot-CH", "VDMonMain.form", TvgRenderState::Hot, u"CH", {}},
    {"about-pressed-CH", "VDMonMain.form", TvgRenderState::Pressed, u"CH", {}},
    {"notice-muted-US", "Notice.form", TvgRenderState::Normal, u"US", kNoticeMuted},
    {"about-normal-US-150", "VDMonMain.form", TvgRenderState::Normal, u"US", {}, 1.5f},
    {"about-normal-US-200", "VDMonMain.form", TvgRenderState::Normal, u"US", {}, 2},
    {"notice-muted-US-200", "Notice.form", TvgRenderState::Normal, u"US", kNoticeMuted, 2},
};

TPicture PictureOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  TPicture picture{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * picture.Height);
  for (int y = 0; y < picture.Height; ++y)
    std::memcpy(&picture.Pixels[static_cast<std::size_t>(y) * picture.Width], data + y * stride, picture.Width * 4u);
  return picture;
}

TPicture ReadPng(const fs::path& path) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  TPicture picture;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) picture = PictureOf(surface);
  cairo_surface_destroy(surface);
  return picture;
}

const cairo::TvgCairoFonts& Fonts() {
  static const cairo::TvgCairoFonts fonts(SceneFontFiles());
  return fonts;
}

struct TRendered {
  TPicture Picture;
  std::vector<TvgRect> Texts;
};

// The form's scene drawn natively, written to a PNG as well when a path is given.
TRendered Render(const fs::path& form, TvgRenderState state, const char16_t* language, const fs::path& writeTo = {},
                 const std::vector<std::pair<std::u16string, std::u16string>>& settings = {}, float scale = 1) {
  TvgRenderRequest request;
  request.Scale = scale;
  request.Form = form;
  request.Settings = settings;
  request.IncludeDirs = {kForms, BuiltFormsFolder()};
  request.Dictionaries = {kForms / "ks.local.dict", kForms / "Monitor.dict"};
  request.Language = language;
  request.State = state;
  const TvgCairoDrawing drawing = RenderWithCairo(request, kForms / "defaultvgstyle.form", Fonts());
  const cairo::TvgCairoCanvas& canvas = *drawing.Canvas;
  if (!writeTo.empty()) canvas.WritePng(writeTo.string());
  TPicture picture{canvas.Width(), canvas.Height(), {}};
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) picture.Pixels.push_back(canvas.Pixel(x, y));
  return {picture, drawing.Texts};
}

// Whether the drawing passes for the golden picture; says why not.
::testing::AssertionResult Matches(const TPicture& golden, const TRendered& rendered) {
  const auto difference =
      picture_test::Difference(golden, rendered.Picture, kThreshold, rendered.Texts, kTextThreshold);
  if (difference.OutsideOff <= kPixelsAllowed && difference.InsideOff <= kPixelsAllowed)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << difference.OutsideOff << " pixels off outside the texts, "
                                       << difference.InsideOff << " inside them";
}

class SceneGoldenTest : public ::testing::TestWithParam<TCase> {};

TEST_P(SceneGoldenTest, TheSceneLooksAsItsGoldenPicture) {
  const TCase& c = GetParam();
  const fs::path golden = kGolden / (std::string(c.Name) + ".png");
  if (std::getenv("VD_UPDATE_GOLDEN")) {
    Render(kForms / c.Form, c.State, c.Language, golden, c.Settings, c.Scale);
    GTEST_SKIP() << "wrote " << golden;
  }
  const TPicture expected = ReadPng(golden);
  ASSERT_GT(expected.Width, 0) << "no golden picture " << golden << " (make golden writes it)";
  EXPECT_TRUE(Matches(expected, Render(kForms / c.Form, c.State, c.Language, {}, c.Settings, c.Scale))) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(States, SceneGoldenTest, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.Name;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
});

// The comparison is strict enough: one element moved by two pixels, one colour changed, or
// the background a little fainter, in a copy of the stored form fails it.
TEST(SceneGoldenCheckTest, AMovedElementOrAChangedColourIsCaught) {
  struct TChange {
    const char* Stored;
    const char* Changed;
  };
  const TChange changes[] = {
      {"Position.Point = '(208,325)'", "Position.Point = '(210,325)'"},  // the OK button, 2 px right
      {"Position.Point = '(43,81)'", "Position.Point = '(43,83)'"},      // the labels' frame, 2 px down
      {"Fill.Color = '#FFFFFFFF'", "Fill.Color = '#FFFFE0A0'"},          // the web address's colour
      // The background a twentieth fainter: a few levels a channel.
      {"Bitmap.PNG = File('art/AboutBackground.png')",
       "Opacity = 0.95\n        Bitmap.PNG = File('art/AboutBackground.png')"},
  };
  std::ifstream file(kForms / "VDMonMain.form", std::ios::binary);
  const std::string stored((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const TPicture golden = ReadPng(kGolden / "about-normal-US.png");
  const fs::path folder = fs::temp_directory_path() / ("vd-golden-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (const TChange& change : changes) {
    std::string text = stored;
    const std::size_t at = text.find(change.Stored);
    ASSERT_NE(at, std::string::npos) << change.Stored;
    text.replace(at, std::strlen(change.Stored), change.Changed);
    std::ofstream(folder / "VDMonMain.form", std::ios::binary) << text;
    EXPECT_FALSE(Matches(golden, Render(folder / "VDMonMain.form", TvgRenderState::Normal, u"US"))) << change.Changed;
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vd
