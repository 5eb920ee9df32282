// The GDI+ canvas draws into the buffer's premultiplied pixels.

#include "scene/win32/GdiPlusCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "scene/paint/Bitmap.h"
#include "scene/win32/FontFallback.h"

namespace vd::win32 {
namespace {

// 2 × 2: opaque red, half-transparent blue; transparent green, opaque white.
constexpr std::uint8_t kPicture[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D, 0x24, 0x00, 0x00, 0x00, 0x11, 0x49,
    0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0x00, 0x42, 0x0D, 0x10, 0x0A, 0x08, 0x00, 0x3F, 0xD7, 0x08,
    0x79, 0x6E, 0x24, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class GdiPlusCanvasTest : public ::testing::Test {
protected:
  void SetUp() override {
    FCanvas.ResizeBuffer(40, 20);
    ASSERT_TRUE(FCanvas.BeginScene());
  }
  std::uint32_t Pixel(int x, int y) const { return FCanvas.Buffer().Bits()[y * FCanvas.Buffer().Width() + x]; }
  // Pixels with any opacity in the columns [left, right).
  int InkBetween(int left, int right) const {
    int ink = 0;
    for (int y = 0; y < FCanvas.Buffer().Height(); ++y)
      for (int x = left; x < right; ++x) ink += Pixel(x, y) >> 24 != 0;
    return ink;
  }

  platform::TWin32Platform FSystem;
  TvgGdiPlusCanvas FCanvas;
};

TEST_F(GdiPlusCanvasTest, APictureIsDecodedOnceAndDrawnPremultiplied) {
  TvgBitmap picture;
  picture.SetPNG(kPicture);
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 2, 2}, 1, false);
  const TvgBitmapCache* decoded = picture.Cache();
  ASSERT_NE(decoded, nullptr);
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {10, 0, 12, 2}, 1, false);
  FCanvas.EndScene();
  EXPECT_EQ(picture.Cache(), decoded);
  for (int left : {0, 10}) {
    EXPECT_EQ(Pixel(left, 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel(left + 1, 0), 0x80000080u);
    EXPECT_EQ(Pixel(left, 1), 0u);
    EXPECT_EQ(Pixel(left + 1, 1), 0xFFFFFFFFu);
  }
}

TEST_F(GdiPlusCanvasTest, APictureScaledAtWholePixelsOrOffThemShowsTheSamePixels) {
  TvgBitmap picture;
  picture.SetPNG(kPicture);
  // At whole pixels (drawn from a scaled copy, also when moved by the matrix), and half a
  // pixel off (drawn directly): every picture pixel becomes a 2 × 2 block.
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 4, 4}, 1, false);
  FCanvas.SetMatrix(TvgMatrix::Translation(10, 0));
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 4, 4}, 1, false);
  FCanvas.SetMatrix(TvgMatrix::Translation(20.5f, 0.5f));
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 4, 4}, 1, false);
  FCanvas.EndScene();
  for (int left : {0, 10}) {
    EXPECT_EQ(Pixel(left, 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel(left + 1, 1), 0xFFFF0000u);
    EXPECT_EQ(Pixel(left + 2, 0), 0x80000080u);
    EXPECT_EQ(Pixel(left + 3, 1), 0x80000080u);
    EXPECT_EQ(Pixel(left + 1, 2), 0u);
    EXPECT_EQ(Pixel(left + 3, 3), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(left + 4, 0), 0u);
  }
  EXPECT_EQ(Pixel(21, 1), 0xFFFF0000u);
  EXPECT_EQ(Pixel(23, 2), 0x80000080u);
  EXPECT_EQ(Pixel(24, 4), 0xFFFFFFFFu);
}

// GDI+ refusing every bitmap of its own memory (the canvas's scaled copies) while it lives,
// and the sizes asked for.
class TScaledCopiesRefused {
public:
  TScaledCopiesRefused() : FSession(TGdiPlus::Session()), FReplaced(FSession->CreateBitmapFromScan0) {
    Instance() = this;
    FSession->CreateBitmapFromScan0 = &Create;
  }
  ~TScaledCopiesRefused() {
    FSession->CreateBitmapFromScan0 = FReplaced;
    Instance() = nullptr;
  }
  TScaledCopiesRefused(const TScaledCopiesRefused&) = delete;
  TScaledCopiesRefused& operator=(const TScaledCopiesRefused&) = delete;

  std::vector<std::pair<INT, INT>> FAsked;

private:
  static TScaledCopiesRefused*& Instance() {
    static TScaledCopiesRefused* instance = nullptr;
    return instance;
  }
  static Gdiplus::GpStatus WINGDIPAPI Create(INT width, INT height, INT stride, Gdiplus::PixelFormat format,
                                             BYTE* scan0, Gdiplus::GpBitmap** bitmap) {
    if (scan0) return Instance()->FReplaced(width, height, stride, format, scan0, bitmap);
    Instance()->FAsked.emplace_back(width, height);
    return Gdiplus::OutOfMemory;
  }
  const std::shared_ptr<TGdiPlus> FSession;
  decltype(TGdiPlus::CreateBitmapFromScan0) FReplaced;
};

TEST_F(GdiPlusCanvasTest, APictureStretchedFarBeyondTheBufferIsScaledOnlyAsFarAsItShowsAndOnlyOnceWhenThatFails) {
  const TScaledCopiesRefused refused;
  TvgBitmap picture;
  picture.SetPNG(kPicture);
  // Each of its pixels 20 000 wide and high, on two passes: only its top left pixel shows.
  for (int pass = 0; pass < 2; ++pass) {
    SetUp();
    FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 40000, 40000}, 1, false);
    FCanvas.EndScene();
  }
  EXPECT_EQ(refused.FAsked, (std::vector<std::pair<INT, INT>>{{40, 20}}));
  // Drawn from the whole picture instead.
  EXPECT_EQ(Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel(39, 19), 0xFFFF0000u);
}

TEST_F(GdiPlusCanvasTest, OpacityScalesEveryChannelOfAPicture) {
  TvgBitmap picture;
  picture.SetPNG(kPicture);
  FCanvas.DrawBitmap(picture, {0, 0, 2, 2}, {0, 0, 2, 2}, 0.5f, false);
  FCanvas.EndScene();
  const std::uint32_t red = Pixel(0, 0);
  EXPECT_NEAR(red >> 24, 128, 1);
  EXPECT_NEAR(red >> 16 & 0xFF, 128, 1);
  EXPECT_EQ(red & 0xFFFF, 0u);
}

TEST_F(GdiPlusCanvasTest, DataThatIsNoPictureDrawsNothing) {
  TvgBitmap broken;
  const std::uint8_t header[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                 0,    0,    0,    2,    0,    0,    0,    2,    8, 6, 0, 0,  0,   1,   2,   3};
  broken.SetPNG(header);
  FCanvas.DrawBitmap(broken, {0, 0, 2, 2}, {0, 0, 40, 20}, 1, true);
  FCanvas.EndScene();
  EXPECT_EQ(InkBetween(0, 40), 0);
}

TEST_F(GdiPlusCanvasTest, ClearingSetsPremultipliedPixelsWithoutBlending) {
  FCanvas.FillRect({0, 0, 40, 20}, 0xFFFFFFFF, 1);
  FCanvas.EndScene();
  FCanvas.ClearRect({2, 3, 4, 5}, 0x80FF0000);
  EXPECT_EQ(Pixel(2, 3), 0x80800000u);
  EXPECT_EQ(Pixel(3, 4), 0x80800000u);
  EXPECT_EQ(Pixel(4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(3, 5), 0xFFFFFFFFu);
}

TEST_F(GdiPlusCanvasTest, ClipAndStateComeBackWithRestore) {
  FCanvas.SaveState();
  FCanvas.IntersectClipRect({0, 0, 10, 20});
  FCanvas.FillRect({0, 0, 40, 20}, 0xFF00FF00, 1);
  FCanvas.RestoreState();
  FCanvas.FillRect({30, 0, 40, 20}, 0xFF0000FF, 1);
  FCanvas.EndScene();
  EXPECT_EQ(Pixel(5, 5), 0xFF00FF00u);
  EXPECT_EQ(Pixel(20, 5), 0u);
  EXPECT_EQ(Pixel(35, 5), 0xFF0000FFu);
}

TEST_F(GdiPlusCanvasTest, ADashedFrameHasGapsWhereASolidOneHasNone) {
  for (const TvgStrokeDash dash : {vgDashSolid, vgDashDash}) {
    SetUp();
    FCanvas.ClearRect({0, 0, 40, 20}, 0);
    FCanvas.DrawRect({0.5f, 0.5f, 39.5f, 19.5f}, 0xFF909090, 1, dash, 1);
    FCanvas.EndScene();
    int gaps = 0;
    // The top edge lies across the first two rows of pixels.
    for (int x = 2; x < 38; ++x) gaps += (Pixel(x, 0) | Pixel(x, 1)) >> 24 == 0;
    EXPECT_EQ(gaps > 0, dash == vgDashDash) << gaps;
    EXPECT_EQ(Pixel(20, 10), 0u);
  }
}

TEST_F(GdiPlusCanvasTest, TextKeepsToItsAlignment) {
  const std::pair<TvgTextAlign, bool> cases[] = {{vgTextAlignNear, true}, {vgTextAlignFar, false}};
  for (const auto& [align, left] : cases) {
    SetUp();
    FCanvas.ClearRect({0, 0, 40, 20}, 0);
    TvgTextFormat format;
    format.Family = u"Tahoma";
    format.Size = 13;
    format.Horizontal = align;
    FCanvas.FillText({0, 0, 40, 20}, u"ii", format, 0xFFFFFFFF, 1);
    FCanvas.EndScene();
    EXPECT_EQ(InkBetween(0, 20) > 0, left) << align;
    EXPECT_EQ(InkBetween(20, 40) > 0, !left) << align;
  }
}

TEST_F(GdiPlusCanvasTest, CharactersTheFontLacksAreDrawnWithAFontThatHasThem) {
  // Tahoma has no Chinese: drawn as boxes, two different texts of two characters would look
  // the same.
  std::vector<std::uint32_t> drawn[2];
  const std::u16string_view texts[] = {u"\u8F6F\u4EF6", u"\u786E\u5B9A"};
  for (int i = 0; i < 2; ++i) {
    SetUp();
    FCanvas.ClearRect({0, 0, 40, 20}, 0);
    TvgTextFormat format;
    format.Family = u"Tahoma";
    format.Size = 13;
    format.Bold = true;
    FCanvas.FillText({0, 0, 40, 20}, texts[i], format, 0xFFFFFFFF, 1);
    FCanvas.EndScene();
    drawn[i].assign(FCanvas.Buffer().Bits(), FCanvas.Buffer().Bits() + 40 * 20);
  }
  EXPECT_GT(InkBetween(0, 40), 0);
  EXPECT_NE(drawn[0], drawn[1]);
  EXPECT_EQ(FontFamilyFor(u"Tahoma", u"OK"), u"Tahoma");
  EXPECT_NE(FontFamilyFor(u"Tahoma", u"\u786E\u5B9A"), u"Tahoma");
}

TEST(FontFallbackTest, NoMoreThanAFewChoicesAreRemembered) {
  // Texts that a program sets, one after another, as a notice's "Profile N" would.
  for (int i = 0; i < 3 * static_cast<int>(kMostRememberedFontFamilies); ++i) {
    const std::string number = std::to_string(i);
    EXPECT_EQ(FontFamilyFor(u"Tahoma", std::u16string(number.begin(), number.end())), u"Tahoma");
    ASSERT_LE(RememberedFontFamilies(), kMostRememberedFontFamilies);
  }
  EXPECT_NE(FontFamilyFor(u"Tahoma", u"\u786E\u5B9A"), u"Tahoma");
}

// GDI+ without its generic sans-serif family, as under Wine without Tahoma, while it lives.
class TNoGenericSansSerif {
public:
  TNoGenericSansSerif() : FSession(TGdiPlus::Session()), FReplaced(FSession->GetGenericFontFamilySansSerif) {
    FSession->GetGenericFontFamilySansSerif = &NotFound;
  }
  ~TNoGenericSansSerif() { FSession->GetGenericFontFamilySansSerif = FReplaced; }
  TNoGenericSansSerif(const TNoGenericSansSerif&) = delete;
  TNoGenericSansSerif& operator=(const TNoGenericSansSerif&) = delete;

private:
  static Gdiplus::GpStatus WINGDIPAPI NotFound(Gdiplus::GpFontFamily**) { return Gdiplus::FontFamilyNotFound; }
  const std::shared_ptr<TGdiPlus> FSession;
  decltype(TGdiPlus::GetGenericFontFamilySansSerif) FReplaced;
};

TEST_F(GdiPlusCanvasTest, AFamilyThatIsNotInstalledGivesWayToTheSystemsSansSerifFamily) {
  const TNoGenericSansSerif missing;
  const std::pair<const char*, std::u16string_view> cases[] = {{"Latin", u"OK"}, {"Chinese", u"\u786E\u5B9A"}};
  for (const auto& [what, text] : cases) {
    SCOPED_TRACE(what);
    SetUp();
    FCanvas.ClearRect({0, 0, 40, 20}, 0);
    TvgTextFormat format;
    format.Family = u"No Such Family";
    format.Size = 13;
    FCanvas.FillText({0, 0, 40, 20}, text, format, 0xFFFFFFFF, 1);
    FCanvas.EndScene();
    EXPECT_GT(InkBetween(0, 40), 0);
    EXPECT_NE(FontFamilyFor(format.Family, text), format.Family);
  }
}

TEST_F(GdiPlusCanvasTest, ResizingToTheSameSizeKeepsTheBuffer) {
  FCanvas.FillRect({0, 0, 40, 20}, 0xFF102030, 1);
  FCanvas.EndScene();
  FCanvas.ResizeBuffer(40, 20);
  EXPECT_EQ(Pixel(39, 19), 0xFF102030u);
  FCanvas.ResizeBuffer(41, 20);
  EXPECT_EQ(FCanvas.Buffer().Width(), 41);
  EXPECT_EQ(FCanvas.Buffer().Bits()[41 * 20 - 1], 0u);
}

TEST(SceneBufferTest, ABufferTheSystemCannotMakeIsReportedAndNothingIsKept) {
  TvgSceneBuffer buffer;
  buffer.Resize(10, 10);
  try {
    buffer.Resize(1 << 20, 1 << 20);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), u"Can't allocate the DIB handle");
  }
  EXPECT_EQ(buffer.DC(), nullptr);
  EXPECT_EQ(buffer.Bits(), nullptr);
}

}  // namespace
}  // namespace vd::win32
