#include "scene/cairo/CairoCanvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include "base/Strings.h"
#include "scene/cairo/CairoTextLines.h"
#include "scene/paint/Bitmap.h"
#include "scene/paint/VisiblePart.h"

namespace vd::cairo {

namespace {

// A picture as cairo decoded it, kept with the picture.
struct TDecodedPicture : TvgBitmapCache {
  explicit TDecodedPicture(cairo_surface_t* surface) : Surface(surface) {}
  ~TDecodedPicture() override {
    if (Surface) cairo_surface_destroy(Surface);
  }
  TDecodedPicture(const TDecodedPicture&) = delete;
  TDecodedPicture& operator=(const TDecodedPicture&) = delete;
  cairo_surface_t* Surface;  // none when the data does not decode
};

struct TByteReader {
  const std::vector<std::uint8_t>& Bytes;
  std::size_t Offset = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto& reader = *static_cast<TByteReader*>(closure);
  if (reader.Bytes.size() - reader.Offset < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader.Bytes.data() + reader.Offset, length);
  reader.Offset += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* Decoded(const TvgBitmap& bitmap) {
  if (auto* decoded = dynamic_cast<TDecodedPicture*>(bitmap.Cache())) return decoded->Surface;
  TByteReader reader{bitmap.PNG()};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    surface = nullptr;
  }
  bitmap.SetCache(std::make_unique<TDecodedPicture>(surface));
  return surface;
}

template <class T, void (*Free)(T*)>
struct TFree {
  void operator()(T* object) const { Free(object); }
};
void UnrefObject(void* object) { g_object_unref(object); }
using TPangoLayout = std::unique_ptr<PangoLayout, TFree<void, UnrefObject>>;
using TFontDescription =
    std::unique_ptr<PangoFontDescription, TFree<PangoFontDescription, pango_font_description_free>>;
using TFontOptions = std::unique_ptr<cairo_font_options_t, TFree<cairo_font_options_t, cairo_font_options_destroy>>;

}  // namespace

TvgCairoCanvas::TvgCairoCanvas(int width, int height, const TvgCairoFonts& fonts)
    : FFonts(fonts),
      FSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1))),
      FCairo(cairo_create(FSurface)) {
  if (cairo_status(FCairo) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(FCairo);
    cairo_surface_destroy(FSurface);
    throw std::runtime_error("cairo cannot make an image of " + std::to_string(width) + " x " + std::to_string(height));
  }
}

TvgCairoCanvas::~TvgCairoCanvas() {
  cairo_destroy(FCairo);
  cairo_surface_destroy(FSurface);
}

int TvgCairoCanvas::Width() const { return cairo_image_surface_get_width(FSurface); }
int TvgCairoCanvas::Height() const { return cairo_image_surface_get_height(FSurface); }

std::uint32_t TvgCairoCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("no such pixel");
  cairo_surface_flush(FSurface);
  const unsigned char* row = cairo_image_surface_get_data(FSurface) + y * cairo_image_surface_get_stride(FSurface);
  std::uint32_t pixel;
  std::memcpy(&pixel, row + x * 4, 4);
  return pixel;
}

void TvgCairoCanvas::WritePng(const std::string& path) const {
  cairo_surface_flush(FSurface);
  if (cairo_surface_write_to_png(FSurface, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

bool TvgCairoCanvas::BeginScene() {
  for (; FSavedStates > 0; --FSavedStates) cairo_restore(FCairo);
  cairo_reset_clip(FCairo);
  cairo_identity_matrix(FCairo);
  cairo_set_operator(FCairo, CAIRO_OPERATOR_OVER);
  cairo_set_antialias(FCairo, CAIRO_ANTIALIAS_DEFAULT);
  return true;
}

void TvgCairoCanvas::EndScene() {
  cairo_surface_flush(FSurface);
  // cairo stops drawing at its first error, without a word: what came after it is missing.
  if (const cairo_status_t status = cairo_status(FCairo); status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error(std::string("cairo could not draw the scene: ") + cairo_status_to_string(status));
}

void TvgCairoCanvas::ClipToRects(std::span<const TvgPixelRect> rects) {
  cairo_matrix_t matrix;
  cairo_get_matrix(FCairo, &matrix);
  cairo_identity_matrix(FCairo);
  cairo_reset_clip(FCairo);
  if (!rects.empty()) {
    cairo_new_path(FCairo);
    for (const TvgPixelRect& rect : rects)
      cairo_rectangle(FCairo, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    cairo_clip(FCairo);
  }
  cairo_set_matrix(FCairo, &matrix);
}

void TvgCairoCanvas::ClearRect(const TvgPixelRect& rect, TvgColor color) {
  const int left = std::max(rect.Left, 0), top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, Width()), bottom = std::min(rect.Bottom, Height());
  if (left >= right || top >= bottom) return;
  const std::uint32_t alpha = color >> 24;
  auto channel = [&](int shift) { return ((color >> shift & 0xFF) * alpha + 127) / 255 << shift; };
  const std::uint32_t pixel = alpha << 24 | channel(16) | channel(8) | channel(0);
  cairo_surface_flush(FSurface);
  unsigned char* data = cairo_image_surface_get_data(FSurface);
  const int stride = cairo_image_surface_get_stride(FSurface);
  for (int y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    std::fill(row + left, row + right, pixel);
  }
  cairo_surface_mark_dirty_rectangle(FSurface, left, top, right - left, bottom - top);
}

void TvgCairoCanvas::SetMatrix(const TvgMatrix& m) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, m.M11, m.M12, m.M21, m.M22, m.M31, m.M32);
  cairo_set_matrix(FCairo, &matrix);
}

void TvgCairoCanvas::SaveState() {
  cairo_save(FCairo);
  ++FSavedStates;
}

void TvgCairoCanvas::RestoreState() {
  if (FSavedStates == 0) return;
  cairo_restore(FCairo);
  --FSavedStates;
}

void TvgCairoCanvas::IntersectClipRect(const TvgRect& r) {
  cairo_new_path(FCairo);
  cairo_rectangle(FCairo, r.Left, r.Top, r.Width(), r.Height());
  cairo_clip(FCairo);
}

void TvgCairoCanvas::SetSource(TvgColor color, float opacity) {
  const auto channel = [&](int shift) { return (color >> shift & 0xFF) / 255.0; };
  cairo_set_source_rgba(FCairo, channel(16), channel(8), channel(0), channel(24) * std::clamp(opacity, 0.0f, 1.0f));
}

void TvgCairoCanvas::FillRect(const TvgRect& r, TvgColor color, float opacity) {
  SetSource(color, opacity);
  cairo_new_path(FCairo);
  cairo_rectangle(FCairo, r.Left, r.Top, r.Width(), r.Height());
  cairo_fill(FCairo);
}

void TvgCairoCanvas::DrawRect(const TvgRect& r, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) {
  SetSource(color, opacity);
  cairo_set_line_width(FCairo, thickness);
  cairo_set_line_join(FCairo, CAIRO_LINE_JOIN_MITER);
  // A dashed pen draws three widths and leaves one, as the Windows canvas's does.
  const double pattern[] = {3.0 * thickness, 1.0 * thickness};
  cairo_set_dash(FCairo, pattern, dash == vgDashDash ? 2 : 0, 0);
  cairo_new_path(FCairo);
  cairo_rectangle(FCairo, r.Left, r.Top, r.Width(), r.Height());
  cairo_stroke(FCairo);
}

void TvgCairoCanvas::DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination,
                                float opacity, bool interpolate) {
  if (opacity <= 0 || bitmap.Width() <= 0 || bitmap.Height() <= 0) return;
  // Only what the clip lets through is drawn, so that cairo's fixed-point coordinates hold
  // what a destination far beyond the image asks for.
  double left, top, right, bottom;
  cairo_clip_extents(FCairo, &left, &top, &right, &bottom);
  const std::optional<TvgPicturePart> part = VisiblePart(
      source, destination,
      {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right), static_cast<float>(bottom)});
  if (!part) return;
  const TvgRect &s = part->Source, &d = part->Destination;
  cairo_surface_t* picture = Decoded(bitmap);
  if (!picture) return;
  cairo_save(FCairo);
  cairo_new_path(FCairo);
  cairo_rectangle(FCairo, d.Left, d.Top, d.Width(), d.Height());
  cairo_clip(FCairo);
  cairo_translate(FCairo, d.Left, d.Top);
  cairo_scale(FCairo, d.Width() / s.Width(), d.Height() / s.Height());
  cairo_set_source_surface(FCairo, picture, -s.Left, -s.Top);
  cairo_pattern_set_filter(cairo_get_source(FCairo), interpolate ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  cairo_paint_with_alpha(FCairo, std::min(opacity, 1.0f));
  cairo_restore(FCairo);
}

void TvgCairoCanvas::FillText(const TvgRect& r, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                              float opacity) {
  if (text.empty() || opacity <= 0 || format.Size <= 0) return;
  PangoContext* context = pango_font_map_create_context(FFonts.FontMap());
  pango_cairo_update_context(FCairo, context);
  // Hinted as the program's text is: its glyphs' shapes, widths and colour follow.
  const TFontOptions options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options.get());
  PangoLayout* layout = pango_layout_new(context);
  g_object_unref(context);  // the layout keeps it
  const TPangoLayout owner(layout);

  // Device pixels a unit down the lines: the scale the scene is drawn at. The program's fonts
  // are made in whole device pixels.
  double across = 0, down = 1;
  cairo_user_to_device_distance(FCairo, &across, &down);
  const double pixels = std::hypot(across, down) > 0 ? std::hypot(across, down) : 1;
  const double size = std::max(1.0, std::round(format.Size * pixels)) / pixels;
  const TFontDescription font(pango_font_description_new());
  const std::string family = ToUtf8(format.Family);
  pango_font_description_set_family(font.get(), family.c_str());
  pango_font_description_set_absolute_size(font.get(), size * PANGO_SCALE);
  pango_font_description_set_weight(font.get(), format.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font.get(), format.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, font.get());
  const std::string utf8 = ToUtf8(std::u16string(text));
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));

  // The Windows canvas keeps a sixth of the size free on either side of the lines.
  const double padding = format.Size / 6.0;
  if (format.WordWrap) {
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_width(layout, static_cast<int>(std::max(0.0, r.Width() - 2 * padding) * PANGO_SCALE));
  }
  const std::vector<TvgSetLine> lines = SetLines(layout, size, pixels);
  double height = 0;
  for (const TvgSetLine& line : lines) height += line.Ascent + line.Descent;
  double y = r.Top;
  if (format.Vertical == vgTextAlignFar) y = r.Bottom - height;
  if (format.Vertical == vgTextAlignCenter) y = r.Top + (r.Height() - height) / 2;

  cairo_save(FCairo);
  cairo_new_path(FCairo);
  cairo_rectangle(FCairo, r.Left, r.Top, r.Width(), r.Height());
  cairo_clip(FCairo);
  SetSource(color, opacity);
  for (const TvgSetLine& line : lines) {
    double x = r.Left + padding;
    if (format.Horizontal == vgTextAlignFar) x = r.Right - padding - line.Width;
    if (format.Horizontal == vgTextAlignCenter) x = r.Left + (r.Width() - line.Width) / 2;
    // Hinted glyphs are drawn on whole device pixels, as the program draws them.
    double left = x, baseline = y + line.Ascent;
    cairo_user_to_device(FCairo, &left, &baseline);
    left = std::round(left);
    baseline = std::round(baseline);
    cairo_device_to_user(FCairo, &left, &baseline);
    ShowLine(FCairo, line, left, baseline);
    y += line.Ascent + line.Descent;
  }
  cairo_restore(FCairo);
}

}  // namespace vd::cairo
