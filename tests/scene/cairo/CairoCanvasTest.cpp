// The cairo canvas keeps the Windows canvas's rules: clearing without blending and outside the
// clip, premultiplied pixels, clipping to the damaged rectangles, pictures drawn with the
// nearest pixel when asked, text clipped to its rectangle.

#include "scene/cairo/CairoCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/paint/Bitmap.h"

namespace vd::cairo {
namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::vector<std::uint8_t>*>(closure)->insert(static_cast<std::vector<std::uint8_t>*>(closure)->end(),
                                                           data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// A PNG of one row of opaque pixels.
std::vector<std::uint8_t> PngRow(const std::vector<std::uint32_t>& pixels) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(pixels.size()), 1);
  cairo_surface_flush(surface);
  auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  for (const std::uint32_t pixel : pixels) *row++ = pixel;
  cairo_surface_mark_dirty(surface);
  std::vector<std::uint8_t> png;
  cairo_surface_write_to_png_stream(surface, Append, &png);
  cairo_surface_destroy(surface);
  return png;
}

class CairoCanvasTest : public ::testing::Test {
protected:
  std::vector<std::uint32_t> Row(int y) const {
    std::vector<std::uint32_t> row;
    for (int x = 0; x < FCanvas.Width(); ++x) row.push_back(FCanvas.Pixel(x, y));
    return row;
  }
  static const TvgCairoFonts& Fonts() {
    static const TvgCairoFonts fonts;
    return fonts;
  }
  TvgCairoCanvas FCanvas{8, 4, Fonts()};
};

TEST_F(CairoCanvasTest, ClearingPremultipliesAndIgnoresTheClipWhileFillingKeepsToIt) {
  ASSERT_TRUE(FCanvas.BeginScene());
  const TvgPixelRect clip[] = {{0, 0, 2, 4}, {6, 0, 8, 4}};
  FCanvas.ClipToRects(clip);
  FCanvas.ClearRect({-5, 0, 100, 1}, 0x80FF0000);
  FCanvas.SetMatrix(TvgMatrix::Translation(0, 1));
  FCanvas.FillRect({0, 0, 8, 1}, 0xFF0000FF, 0.5f);
  FCanvas.EndScene();
  EXPECT_EQ(Row(0), std::vector<std::uint32_t>(8, 0x80800000));
  const std::uint32_t blue = FCanvas.Pixel(0, 1);
  EXPECT_EQ(blue >> 24, 0x80u);
  EXPECT_EQ(Row(1), (std::vector<std::uint32_t>{blue, blue, 0, 0, 0, 0, blue, blue}));
  EXPECT_EQ(Row(2), std::vector<std::uint32_t>(8, 0));
}

TEST_F(CairoCanvasTest, PicturesTakeTheNearestPixelOnlyWhenAskedTo) {
  TvgBitmap bitmap;
  bitmap.SetPNG(PngRow({0xFFFF0000, 0xFF0000FF}));
  ASSERT_TRUE(FCanvas.BeginScene());
  FCanvas.DrawBitmap(bitmap, {0, 0, 2, 1}, {0, 0, 8, 1}, 1, false);
  FCanvas.DrawBitmap(bitmap, {0, 0, 2, 1}, {0, 1, 8, 2}, 1, true);
  FCanvas.EndScene();
  EXPECT_EQ(Row(0), (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF,
                                                0xFF0000FF, 0xFF0000FF}));
  // Smoothly: the middle is a blend of both.
  const std::uint32_t middle = FCanvas.Pixel(4, 1);
  EXPECT_GT(middle >> 16 & 0xFF, 0x20u);
  EXPECT_GT(middle & 0xFF, 0x20u);
}

TEST_F(CairoCanvasTest, APictureStretchedFarBeyondTheImageShowsItsVisiblePart) {
  // Red on the left half, blue on the right, each pixel 4096 wide: from -16 777 212 to
  // 16 777 220, beyond what cairo's coordinates hold, the middle in the image's.
  std::vector<std::uint32_t> row(8192, 0xFFFF0000);
  std::fill(row.begin() + 4096, row.end(), 0xFF0000FF);
  TvgBitmap bitmap;
  bitmap.SetPNG(PngRow(row));
  ASSERT_TRUE(FCanvas.BeginScene());
  FCanvas.DrawBitmap(bitmap, {0, 0, 8192, 1}, {4 - 4096 * 4096.0f, -2048, 4 + 4096 * 4096.0f, 2048}, 1, false);
  FCanvas.EndScene();
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(Row(y), (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF,
                                                  0xFF0000FF, 0xFF0000FF, 0xFF0000FF}));
}

TEST_F(CairoCanvasTest, TextIsDrawnInsideItsRectangleOnly) {
  TvgCairoCanvas canvas(60, 20, Fonts());
  ASSERT_TRUE(canvas.BeginScene());
  TvgTextFormat format;
  format.Size = 30;  // larger than the rectangle
  canvas.FillText({10, 5, 50, 15}, u"MMMM", format, 0xFFFFFFFF, 1);
  canvas.EndScene();
  int inside = 0, outside = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) (x >= 10 && x < 50 && y >= 5 && y < 15 ? inside : outside) += canvas.Pixel(x, y) != 0;
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);
}

TEST_F(CairoCanvasTest, WhatCairoRefusesInASceneIsReportedAtItsEnd) {
  ASSERT_TRUE(FCanvas.BeginScene());
  TvgMatrix matrix;
  matrix.M11 = std::numeric_limits<float>::quiet_NaN();
  FCanvas.SetMatrix(matrix);
  FCanvas.FillRect({0, 0, 8, 4}, 0xFFFFFFFF, 1);
  try {
    FCanvas.EndScene();
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("invalid matrix"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace vd::cairo
