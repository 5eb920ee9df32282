#include "scene/win32/GdiPlusCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/win32/StringConversions.h"
#include "scene/paint/AreaAverage.h"
#include "scene/paint/Bitmap.h"
#include "scene/paint/Enlarge.h"
#include "scene/paint/VisiblePart.h"
#include "scene/win32/FontFallback.h"

namespace vd::win32 {

using namespace Gdiplus;

namespace {

// The toolkit's drawing settings.
constexpr SmoothingMode kSmoothing = static_cast<SmoothingMode>(2);
constexpr InterpolationMode kInterpolation = static_cast<InterpolationMode>(2);
constexpr PixelOffsetMode kPixelOffset = static_cast<PixelOffsetMode>(4);
constexpr UINT kTextContrast = 2;

// A stream over a copy of the bytes, released when it goes.
TComPtr<IStream> MemoryStream(const std::vector<std::uint8_t>& bytes) {
  TComPtr<IStream> stream;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return stream;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    // The stream frees the memory when it goes.
    if (SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) return stream;
  }
  GlobalFree(memory);
  return stream;
}

ARGB WithOpacity(TvgColor color, float opacity) {
  const float alpha = static_cast<float>(color >> 24) * std::clamp(opacity, 0.0f, 1.0f);
  return (static_cast<ARGB>(alpha + 0.5f) << 24) | (color & 0x00FFFFFF);
}

StringAlignment Alignment(TvgTextAlign align) {
  switch (align) {
    case vgTextAlignNear:
      return StringAlignmentNear;
    case vgTextAlignFar:
      return StringAlignmentFar;
    case vgTextAlignCenter:
      break;
  }
  return StringAlignmentCenter;
}

bool IsWhole(float value) { return value == std::nearbyint(value); }

}  // namespace

// A picture as GDI+ decoded it, and its last scaled copy, kept with the picture and known to
// the canvas that made it.
struct TvgGdiPlusCanvas::TDecodedPicture : TvgBitmapCache {
  TDecodedPicture(TvgGdiPlusCanvas& canvas, const TvgBitmap& bitmap) : Canvas(canvas), Bitmap(bitmap) {
    Canvas.FDecoded.push_back(this);
  }
  ~TDecodedPicture() override { std::erase(Canvas.FDecoded, this); }
  TDecodedPicture(const TDecodedPicture&) = delete;
  TDecodedPicture& operator=(const TDecodedPicture&) = delete;

  TvgGdiPlusCanvas& Canvas;
  const TvgBitmap& Bitmap;
  // Its data does not decode: it is not tried on every pass.
  bool Undecodable = false;
  // The whole picture, made when it is drawn otherwise than through a scaled copy.
  TGdiPlusObject<GpImage> Image;
  // The last scaled copy, or that it could not be made.
  TGdiPlusObject<GpImage> Scaled;
  TvgRect ScaledSource;
  int ScaledWidth = 0;
  int ScaledHeight = 0;
  bool ScaledInterpolated = false;
  bool ScaledFailed = false;
};

TvgGdiPlusCanvas::TvgGdiPlusCanvas() : FGdiPlus(TGdiPlus::Session()) {}

TvgGdiPlusCanvas::~TvgGdiPlusCanvas() {
  // The pictures drop what this canvas decoded for them.
  while (!FDecoded.empty()) FDecoded.back()->Bitmap.SetCache(nullptr);
}

void TvgGdiPlusCanvas::ResizeBuffer(int width, int height) {
  if (FBuffer.DC() && std::max(width, 1) == FBuffer.Width() && std::max(height, 1) == FBuffer.Height()) return;
  FStates.clear();
  FMatrix.Reset();
  FGraphics.Reset();
  FTarget.Reset();
  FBuffer.Resize(width, height);
  if (!FGdiPlus) return;
  TGdiPlus& gdip = *FGdiPlus;
  GpBitmap* target = nullptr;
  if (gdip.CreateBitmapFromScan0(FBuffer.Width(), FBuffer.Height(), FBuffer.Stride(), PixelFormat32bppPARGB,
                                 reinterpret_cast<BYTE*>(FBuffer.Bits()), &target) != Ok)
    return;
  FTarget = TGdiPlusObject<GpImage>(FGdiPlus, gdip.DisposeImage, target);
  GpMatrix* matrix = nullptr;
  if (gdip.CreateMatrix2(1, 0, 0, 1, 0, 0, &matrix) != Ok) return;
  FMatrix = TGdiPlusObject<GpMatrix>(FGdiPlus, gdip.DeleteMatrix, matrix);
  FGraphics = GraphicsOn(FTarget.Get());
}

TGdiPlusObject<GpGraphics> TvgGdiPlusCanvas::GraphicsOn(GpImage* image) {
  TGdiPlus& gdip = *FGdiPlus;
  GpGraphics* graphics = nullptr;
  if (gdip.GetImageGraphicsContext(image, &graphics) != Ok) return {};
  TGdiPlusObject<GpGraphics> owner(FGdiPlus, gdip.DeleteGraphics, graphics);
  gdip.SetSmoothingMode(graphics, kSmoothing);
  gdip.SetInterpolationMode(graphics, kInterpolation);
  gdip.SetPixelOffsetMode(graphics, kPixelOffset);
  gdip.SetCompositingMode(graphics, CompositingModeSourceOver);
  gdip.SetTextContrast(graphics, kTextContrast);
  // ClearType needs an opaque background to blend its colour fringes with; the buffer has
  // an alpha channel, so text is smoothed in grey.
  gdip.SetTextRenderingHint(graphics, TextRenderingHintAntiAlias);
  return owner;
}

bool TvgGdiPlusCanvas::BeginScene() {
  if (!FGraphics) return false;
  // GDI may still be writing to the pixels.
  GdiFlush();
  FStates.clear();
  FGdiPlus->ResetClip(FGraphics.Get());
  SetMatrix({});
  return true;
}

void TvgGdiPlusCanvas::EndScene() {
  if (FGraphics) FGdiPlus->Flush(FGraphics.Get(), FlushIntentionSync);
}

void TvgGdiPlusCanvas::ClipToRects(std::span<const TvgPixelRect> rects) {
  if (!FGraphics) return;
  CombineMode mode = CombineModeReplace;
  for (const TvgPixelRect& rect : rects) {
    FGdiPlus->SetClipRect(FGraphics.Get(), static_cast<REAL>(rect.Left), static_cast<REAL>(rect.Top),
                          static_cast<REAL>(rect.Right - rect.Left), static_cast<REAL>(rect.Bottom - rect.Top), mode);
    mode = CombineModeUnion;
  }
}

void TvgGdiPlusCanvas::ClearRect(const TvgPixelRect& rect, TvgColor color) {
  const std::uint32_t alpha = color >> 24;
  auto channel = [&](int shift) { return ((color >> shift & 0xFF) * alpha + 127) / 255 << shift; };
  FBuffer.Clear({rect.Left, rect.Top, rect.Right, rect.Bottom}, alpha << 24 | channel(16) | channel(8) | channel(0));
}

void TvgGdiPlusCanvas::SetMatrix(const TvgMatrix& m) {
  if (!FGraphics) return;
  FCurrent = m;
  FGdiPlus->SetMatrixElements(FMatrix.Get(), m.M11, m.M12, m.M21, m.M22, m.M31, m.M32);
  FGdiPlus->SetWorldTransform(FGraphics.Get(), FMatrix.Get());
}

void TvgGdiPlusCanvas::SaveState() {
  if (!FGraphics) return;
  GraphicsState state = 0;
  FGdiPlus->SaveGraphics(FGraphics.Get(), &state);
  FStates.emplace_back(state, FCurrent);
}

void TvgGdiPlusCanvas::RestoreState() {
  if (!FGraphics || FStates.empty()) return;
  FGdiPlus->RestoreGraphics(FGraphics.Get(), FStates.back().first);
  FCurrent = FStates.back().second;
  FStates.pop_back();
}

void TvgGdiPlusCanvas::IntersectClipRect(const TvgRect& r) {
  if (FGraphics) FGdiPlus->SetClipRect(FGraphics.Get(), r.Left, r.Top, r.Width(), r.Height(), CombineModeIntersect);
}

void TvgGdiPlusCanvas::FillRect(const TvgRect& r, TvgColor color, float opacity) {
  if (!FGraphics) return;
  GpSolidFill* brush = nullptr;
  if (FGdiPlus->CreateSolidFill(WithOpacity(color, opacity), &brush) != Ok) return;
  const TGdiPlusObject<GpBrush> owner(FGdiPlus, FGdiPlus->DeleteBrush, brush);
  FGdiPlus->FillRectangle(FGraphics.Get(), brush, r.Left, r.Top, r.Width(), r.Height());
}

void TvgGdiPlusCanvas::DrawRect(const TvgRect& r, TvgColor color, float thickness, TvgStrokeDash dash, float opacity) {
  if (!FGraphics) return;
  GpPen* pen = nullptr;
  if (FGdiPlus->CreatePen1(WithOpacity(color, opacity), thickness, UnitWorld, &pen) != Ok) return;
  const TGdiPlusObject<GpPen> owner(FGdiPlus, FGdiPlus->DeletePen, pen);
  FGdiPlus->SetPenDashStyle(pen, dash == vgDashDash ? DashStyleDash : DashStyleSolid);
  FGdiPlus->DrawRectangle(FGraphics.Get(), pen, r.Left, r.Top, r.Width(), r.Height());
}

TvgGdiPlusCanvas::TDecodedPicture& TvgGdiPlusCanvas::Decoded(const TvgBitmap& bitmap) {
  if (auto* decoded = dynamic_cast<TDecodedPicture*>(bitmap.Cache())) return *decoded;
  auto decoded = std::make_unique<TDecodedPicture>(*this, bitmap);
  TDecodedPicture& picture = *decoded;
  bitmap.SetCache(std::move(decoded));
  return picture;
}

template <class TUse>
void TvgGdiPlusCanvas::Decode(TDecodedPicture& picture, const TUse& use) {
  TGdiPlus& gdip = *FGdiPlus;
  GpBitmap* source = nullptr;
  // GDI+ reads from the stream for as long as the picture lives.
  const TComPtr<IStream> stream = MemoryStream(picture.Bitmap.PNG());
  if (!stream || gdip.CreateBitmapFromStream(stream.Get(), &source) != Ok) {
    picture.Undecodable = true;
    return;
  }
  const TGdiPlusObject<GpImage> owner(FGdiPlus, gdip.DisposeImage, source);
  use(source);
}

GpImage* TvgGdiPlusCanvas::Whole(TDecodedPicture& picture) {
  if (picture.Image || picture.Undecodable) return picture.Image.Get();
  Decode(picture, [&](GpBitmap* source) {
    // A copy in the buffer's own format, independent of the stream and drawn without
    // conversion.
    GpBitmap* copy = nullptr;
    if (FGdiPlus->CloneBitmapAreaI(0, 0, picture.Bitmap.Width(), picture.Bitmap.Height(), PixelFormat32bppPARGB, source,
                                   &copy) == Ok)
      picture.Image = TGdiPlusObject<GpImage>(FGdiPlus, FGdiPlus->DisposeImage, copy);
  });
  return picture.Image.Get();
}

GpImage* TvgGdiPlusCanvas::Scaled(TDecodedPicture& picture, const TvgRect& source, int width, int height,
                                  bool interpolate) {
  const bool same = picture.ScaledSource == source && picture.ScaledWidth == width && picture.ScaledHeight == height &&
                    picture.ScaledInterpolated == interpolate;
  // A copy that could not be made is not tried again on every pass.
  if (same && (picture.Scaled || picture.ScaledFailed)) return picture.Scaled.Get();
  picture.Scaled.Reset();
  picture.ScaledSource = source;
  picture.ScaledWidth = width;
  picture.ScaledHeight = height;
  picture.ScaledInterpolated = interpolate;
  picture.ScaledFailed = true;
  TGdiPlus& gdip = *FGdiPlus;
  GpBitmap* scaled = nullptr;
  if (gdip.CreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGB, nullptr, &scaled) != Ok) return nullptr;
  TGdiPlusObject<GpImage> owner(FGdiPlus, gdip.DisposeImage, scaled);
  bool drawn = false;
  // A smoothed reduction averages what each pixel covers (the About window's background is
  // reduced to a third): as smooth as GDI+'s high-quality resampling and several times as
  // fast, which the window's first frame waits for. A smoothed enlargement (the buttons on a
  // screen of 200 % scale) mixes the nearest pixels, each at its centre, where Wine's GDI+
  // samples half a pixel off. Anything else GDI+ resamples.
  const bool reduced = interpolate && width <= source.Width() && height <= source.Height();
  const bool enlarged = interpolate && width >= source.Width() && height >= source.Height();
  const auto scale = [&](GpImage* whole) {
    if (reduced || enlarged) {
      drawn = Resample(static_cast<GpBitmap*>(whole), source, scaled, width, height,
                       reduced ? ReduceByAreaAverage : EnlargeSmoothly);
      return;
    }
    const TGdiPlusObject<GpGraphics> graphics = GraphicsOn(scaled);
    if (!graphics) return;
    if (!interpolate) gdip.SetInterpolationMode(graphics.Get(), InterpolationModeNearestNeighbor);
    drawn = gdip.DrawImageRectRect(graphics.Get(), whole, 0, 0, static_cast<REAL>(width), static_cast<REAL>(height),
                                   source.Left, source.Top, source.Width(), source.Height(), UnitPixel, nullptr,
                                   nullptr, nullptr) == Ok;
  };
  // Scaled from the whole picture when it is kept anyway; otherwise from the picture as it is
  // decoded, which is not kept (the About window's background is only ever drawn scaled).
  if (picture.Image)
    scale(picture.Image.Get());
  else
    Decode(picture, scale);
  if (!drawn) return nullptr;
  picture.Scaled = std::move(owner);
  picture.ScaledFailed = false;
  return picture.Scaled.Get();
}

bool TvgGdiPlusCanvas::Resample(GpBitmap* whole, const TvgRect& source, GpBitmap* scaled, int width, int height,
                                TResampler resample) {
  TGdiPlus& gdip = *FGdiPlus;
  UINT wholeWidth = 0, wholeHeight = 0;
  if (gdip.GetImageWidth(whole, &wholeWidth) != Ok || gdip.GetImageHeight(whole, &wholeHeight) != Ok) return false;
  const GpRect from(0, 0, static_cast<INT>(wholeWidth), static_cast<INT>(wholeHeight)), to(0, 0, width, height);
  BitmapData read{}, write{};
  if (gdip.BitmapLockBits(whole, &from, ImageLockModeRead, PixelFormat32bppPARGB, &read) != Ok) return false;
  const bool locked = gdip.BitmapLockBits(scaled, &to, ImageLockModeWrite, PixelFormat32bppPARGB, &write) == Ok;
  if (locked) {
    resample({static_cast<std::uint32_t*>(read.Scan0), static_cast<int>(read.Width), static_cast<int>(read.Height),
              read.Stride / 4},
             source, {static_cast<std::uint32_t*>(write.Scan0), width, height, write.Stride / 4});
    gdip.BitmapUnlockBits(scaled, &write);
  }
  gdip.BitmapUnlockBits(whole, &read);
  return locked;
}

void TvgGdiPlusCanvas::DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination,
                                  float opacity, bool interpolate) {
  if (!FGraphics || opacity <= 0 || bitmap.Width() <= 0 || bitmap.Height() <= 0) return;
  // Only what the buffer shows is drawn (and scaled): a destination may reach far beyond it.
  const TvgRect buffer{0, 0, static_cast<float>(FBuffer.Width()), static_cast<float>(FBuffer.Height())};
  const std::optional<TvgPicturePart> part = VisiblePart(source, destination, FCurrent.Inverse().Transform(buffer));
  if (!part) return;
  const TvgRect &s = part->Source, &d = part->Destination;
  TDecodedPicture& picture = Decoded(bitmap);
  if (picture.Undecodable) return;
  // Scaled, but neither rotated nor off the pixel grid: the same pixels as a scaled copy
  // drawn one to one, which costs a copy instead of a resampling of the whole picture.
  const bool scaled = d.Width() != s.Width() || d.Height() != s.Height();
  const TvgMatrix& m = FCurrent;
  const bool onGrid = m.M11 == 1 && m.M12 == 0 && m.M21 == 0 && m.M22 == 1 && IsWhole(m.M31) && IsWhole(m.M32) &&
                      IsWhole(d.Left) && IsWhole(d.Top) && IsWhole(d.Right) && IsWhole(d.Bottom);
  if (scaled && onGrid) {
    // No larger than the buffer.
    const int width = static_cast<int>(d.Width()), height = static_cast<int>(d.Height());
    if (GpImage* copy = Scaled(picture, s, width, height, interpolate)) {
      DrawImage(copy, {0, 0, d.Width(), d.Height()}, d, opacity, false);
      return;
    }
  }
  if (GpImage* whole = Whole(picture)) DrawImage(whole, s, d, opacity, interpolate);
}

void TvgGdiPlusCanvas::DrawImage(GpImage* image, const TvgRect& s, const TvgRect& d, float opacity, bool interpolate) {
  TGdiPlus& gdip = *FGdiPlus;
  TGdiPlusObject<GpImageAttributes> attributes;
  if (opacity < 1) {
    GpImageAttributes* created = nullptr;
    if (gdip.CreateImageAttributes(&created) == Ok) {
      attributes = TGdiPlusObject<GpImageAttributes>(FGdiPlus, gdip.DisposeImageAttributes, created);
      ColorMatrix matrix{};
      for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1;
      matrix.m[3][3] = opacity;
      gdip.SetImageAttributesColorMatrix(created, ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                         ColorMatrixFlagsDefault);
    }
  }
  if (!interpolate) gdip.SetInterpolationMode(FGraphics.Get(), InterpolationModeNearestNeighbor);
  gdip.DrawImageRectRect(FGraphics.Get(), image, d.Left, d.Top, d.Width(), d.Height(), s.Left, s.Top, s.Width(),
                         s.Height(), UnitPixel, attributes.Get(), nullptr, nullptr);
  if (!interpolate) gdip.SetInterpolationMode(FGraphics.Get(), kInterpolation);
}

void TvgGdiPlusCanvas::FillText(const TvgRect& r, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                                float opacity) {
  if (!FGraphics || text.empty() || opacity <= 0) return;
  TGdiPlus& gdip = *FGdiPlus;
  GpFontFamily* fontFamily = nullptr;
  if (gdip.CreateFontFamilyFromName(W(FontFamilyFor(format.Family, text)), nullptr, &fontFamily) != Ok &&
      gdip.GetGenericFontFamilySansSerif(&fontFamily) != Ok)
    return;
  const TGdiPlusObject<GpFontFamily> familyOwner(FGdiPlus, gdip.DeleteFontFamily, fontFamily);
  const INT style = (format.Bold ? FontStyleBold : 0) | (format.Italic ? FontStyleItalic : 0);
  GpFont* font = nullptr;
  // Sizes are pixels: the window is not scaled with the screen's DPI. A family without the
  // style (no bold face, say) gives its regular one.
  if (gdip.CreateFontFromFamily(fontFamily, format.Size, style, UnitPixel, &font) != Ok &&
      gdip.CreateFontFromFamily(fontFamily, format.Size, FontStyleRegular, UnitPixel, &font) != Ok)
    return;
  const TGdiPlusObject<GpFont> fontOwner(FGdiPlus, gdip.DeleteFont, font);
  GpStringFormat* layout = nullptr;
  if (gdip.CreateStringFormat(0, LANG_NEUTRAL, &layout) != Ok) return;
  const TGdiPlusObject<GpStringFormat> layoutOwner(FGdiPlus, gdip.DeleteStringFormat, layout);
  gdip.SetStringFormatAlign(layout, Alignment(format.Horizontal));
  gdip.SetStringFormatLineAlign(layout, Alignment(format.Vertical));
  if (!format.WordWrap) gdip.SetStringFormatFlags(layout, StringFormatFlagsNoWrap);
  GpSolidFill* brush = nullptr;
  if (gdip.CreateSolidFill(WithOpacity(color, opacity), &brush) != Ok) return;
  const TGdiPlusObject<GpBrush> brushOwner(FGdiPlus, gdip.DeleteBrush, brush);
  const RectF box(r.Left, r.Top, r.Width(), r.Height());
  gdip.DrawString(FGraphics.Get(), reinterpret_cast<const wchar_t*>(text.data()), static_cast<INT>(text.size()), font,
                  &box, layout, brush);
}

}  // namespace vd::win32
