// A scene at a screen's scale: its window's pixels are the form's units times the scale, the
// mouse finds the same objects at the same places of the drawing, a drag moves the window by
// the mouse's movement in pixels, and pictures are drawn on whole pixels. (The drawings at
// scale are held to golden pictures in tests/forms.)

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scene/CustomScene.h"
#include "scene/ScaledCanvas.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/controls/Shapes.h"
#include "scene/layout/Containers.h"
#include "scene/paint/Scale.h"
#include "tests/scene/AboutShapedScene.h"

namespace vd {
namespace {

using scene_test::TRecordingCanvas;

// The About window's scene (AboutShapedScene.h); a click records what it landed on.
class ScaledSceneTest : public ::testing::Test, protected scene_test::TAboutShapedScene {
protected:
  void SetUp() override {
    FScene.SetBounds(0, 0, 504, 400);
    for (TvgVisualObject* object : {static_cast<TvgVisualObject*>(FOK), static_cast<TvgVisualObject*>(FWeb),
                                    static_cast<TvgVisualObject*>(FRectangle)})
      object->OnClick = TNotifyEvent(u"Click", [this](TComponent* sender) { FClicked = sender; });
  }

  TComponent* FClicked = nullptr;
};

TEST_F(ScaledSceneTest, TheMouseFindsTheSameObjectsAtTheSamePlacesOfTheDrawingAtEveryScale) {
  struct TCase {
    TvgPoint At;  // in the form's units; at a scale, the mouse is at these times the scale
    TvgVisualObject* Object;
  };
  // Whole pixels at both scales; an object's edges are not its own.
  const TCase cases[] = {
      {{254, 338}, FOK},     {{210, 326}, FOK},        {{208, 326}, nullptr}, {{300, 350}, FOK},
      {{302, 340}, nullptr}, {{254, 352}, nullptr},    {{70, 264}, FWeb},     {{68, 264}, FRectangle},
      {{144, 292}, FWeb},    {{146, 292}, FRectangle}, {{250, 40}, nullptr},  {{-2, -2}, nullptr},
  };
  for (const float scale : {1.0f, 1.5f}) {
    FScene.SetScale(scale);
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << "(" << c.At.X << ", " << c.At.Y << ") at scale " << scale);
      const float x = c.At.X * scale, y = c.At.Y * scale;
      FScene.MouseMove(0, x, y);
      EXPECT_EQ(FScene.Hovered(), c.Object);
      FClicked = nullptr;
      FScene.MouseDown(mbLeft, ssLeft, x, y);
      FScene.MouseUp(mbLeft, 0, x, y);
      EXPECT_EQ(FClicked, c.Object);
      FScene.MouseLeave();
    }
  }
}

TEST_F(ScaledSceneTest, ADragMovesTheWindowByTheMousesMovementInPixelsAtEveryScale) {
  struct TCase {
    float Scale;
    TvgPoint Press;  // window pixels, on the background
    TvgPoint Release;
  };
  const TCase cases[] = {{1, {250, 40}, {290, 12}}, {1.5f, {375, 60}, {415, 32}}, {2, {500, 80}, {493, 91}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Scale);
    FScene.SetScale(c.Scale);
    FHost.FBounds = {100, 50, 100 + ScaledLength(504, c.Scale), 50 + ScaledLength(400, c.Scale)};
    FScene.MouseDown(mbLeft, ssLeft, c.Press.X, c.Press.Y);
    ASSERT_TRUE(FScene.MovingWindow());
    // The window moves under the mouse: the mouse stays where it was pressed in it.
    FScene.MouseMove(ssLeft, c.Release.X, c.Release.Y);
    const int dx = static_cast<int>(c.Release.X - c.Press.X), dy = static_cast<int>(c.Release.Y - c.Press.Y);
    EXPECT_EQ(FHost.FBounds.Left, 100 + dx);
    EXPECT_EQ(FHost.FBounds.Top, 50 + dy);
    EXPECT_EQ(FHost.FBounds.Width(), ScaledLength(504, c.Scale));
    FScene.MouseMove(ssLeft, c.Press.X, c.Press.Y);
    FScene.MouseUp(mbLeft, 0, c.Press.X, c.Press.Y);
    EXPECT_FALSE(FScene.MovingWindow());
  }
}

// Dragged onto a screen of another scale, the window is scaled around the mouse: the same point
// of the scene stays under it, and the drag goes on from there.
TEST_F(ScaledSceneTest, ADragThatChangesTheScaleKeepsThePressedPointOfTheSceneUnderTheMouse) {
  FScene.MouseDown(mbLeft, ssLeft, 250, 40);
  FScene.SetScale(1.5f);
  // The mouse at (350, 90) on the screen: the window's suggested place keeps the point
  // (250, 40) of the scene, now (375, 60) of the window, under it.
  FHost.FBounds = {-25, 30, -25 + 756, 30 + 600};
  FScene.MouseMove(ssLeft, 385, 65);
  EXPECT_EQ(FHost.FBounds.Left, -15);
  EXPECT_EQ(FHost.FBounds.Top, 35);
  FScene.MouseUp(mbLeft, 0, 385, 65);
  FScene.MouseMove(0, 254 * 1.5f, 338 * 1.5f);
  EXPECT_EQ(FScene.Hovered(), FOK);
}

TEST_F(ScaledSceneTest, AScaleIsTakenWhenPositiveAndDamagesTheWholeSceneInItsPixels) {
  FHost.FDamage.clear();
  FScene.SetScale(1.5f);
  EXPECT_EQ(FHost.FDamage, (std::vector<TvgRect>{{0, 0, 504, 400}}));
  EXPECT_EQ(FScene.PixelBounds(), (TvgPixelRect{0, 0, 756, 600}));
  EXPECT_EQ(FScene.DamageInPixels({45, 25, 1000, 1000}), (TvgPixelRect{67, 37, 756, 600}));
  for (const float refused : {0.0f, -1.0f, std::nanf(""), INFINITY}) FScene.SetScale(refused);
  EXPECT_EQ(FScene.Scale(), 1.5f);
}

// Draws what it is given and keeps, for each clip to pixels, picture and text, the matrix it
// was drawn with.
class TMatrixRecordingCanvas : public TRecordingCanvas {
public:
  void ClipToRects(std::span<const TvgPixelRect> rects) override {
    TRecordingCanvas::ClipToRects(rects);
    FDrawnWith.push_back(FMatrix);
  }
  void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                  bool interpolate) override {
    TRecordingCanvas::DrawBitmap(bitmap, source, destination, opacity, interpolate);
    FDrawnWith.push_back(FMatrix);
  }
  void FillText(const TvgRect& rect, std::u16string_view text, const TvgTextFormat& format, TvgColor color,
                float opacity) override {
    TRecordingCanvas::FillText(rect, text, format, color, opacity);
    FDrawnWith.push_back(FMatrix);
  }
  std::vector<TvgMatrix> FDrawnWith;
};

TvgMatrix Matrix(float scale, float dx, float dy) { return {scale, 0, 0, scale, dx, dy}; }

TEST(ScaledCanvasTest, PicturesUprightGoToWholePixelsAndTheRestIsDrawnScaled) {
  TMatrixRecordingCanvas recording;
  TvgScaledCanvas canvas(recording, 1.25f);
  TvgBitmap picture;
  ASSERT_TRUE(canvas.BeginScene());
  EXPECT_EQ(recording.FMatrix, Matrix(1.25f, 0, 0));
  // Pixel rectangles are the canvas's own, whatever the matrix.
  canvas.SetMatrix(TvgMatrix::Translation(3, 3));
  canvas.ClipToRects(std::vector<TvgPixelRect>{{0, 0, 10, 10}});
  EXPECT_EQ(recording.FMatrix, Matrix(1.25f, 3.75f, 3.75f));
  canvas.SaveState();
  canvas.SetMatrix(TvgMatrix::Translation(1, 2));
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 6, 6}, 1, true);
  canvas.FillText({0, 0, 6, 6}, u"x", {}, 0xFF000000, 1);
  canvas.RestoreState();
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 0.2f, 6}, 1, true);  // less than half a pixel wide
  // Mirrored, the picture keeps its matrix.
  canvas.SetMatrix({-1, 0, 0, 1, 10, 0});
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 6, 6}, 1, false);
  EXPECT_EQ(recording.Calls(),
            "begin; clip to (0,0,10,10); save; bitmap (0,0,4,4) -> (1,2,9,10); text (0,0,6,6); restore; "
            "bitmap (0,0,4,4) -> (0,0,6,6) nearest");
  const std::vector<TvgMatrix> drawnWith{{}, {}, Matrix(1.25f, 1.25f, 2.5f), {-1.25f, 0, 0, 1.25f, 12.5f, 0}};
  EXPECT_EQ(recording.FDrawnWith, drawnWith);
}

}  // namespace
}  // namespace vd
