// The scene's drawing pass: damage in whole pixels, pending rectangles merged, roots culled
// by their bounds, and the background cleared or filled.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scene/CustomScene.h"
#include "scene/controls/Shapes.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TRecordingCanvas;
using scene_test::TStandInHost;

class ScenePaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.SetHost(&FHost);
    FScene.SetBounds(0, 0, 50, 30);
    FScene.SetTransparency(true);
  }
  // The calls of one pass over the pending rectangles.
  std::string Pass() {
    TRecordingCanvas canvas;
    FScene.PaintScene(canvas);
    return canvas.Calls();
  }
  // A root rectangle filled with a colour of its own.
  TvgRectangle& AddRectangle(float x, float y, float width, float height) {
    auto* rectangle = new TvgRectangle(&FOwner);
    rectangle->Position()->SetPoint({x, y});
    rectangle->SetSize(width, height);
    rectangle->Stroke()->SetStyle(vgBrushNone);
    FScene.AddObject(rectangle);
    return *rectangle;
  }

  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
};

TEST_F(ScenePaintTest, DamageGrowsToWholePixelsInsideTheSceneAndNoAreaIsNoDamage) {
  struct TCase {
    TvgRect Damage;
    std::optional<TvgPixelRect> Pixels;
  };
  const float nan = std::nanf("");
  const TCase cases[] = {
      {{10.5f, 3.5f, 20.2f, 8.7f}, TvgPixelRect{10, 3, 21, 9}},
      {{-4, -4, 2.5f, 1}, TvgPixelRect{0, 0, 3, 2}},
      {{45, 25, 1000, 1000}, TvgPixelRect{45, 25, 50, 30}},
      {{10, 3, 10, 20}, std::nullopt},
      {{10, 3, 20, 3}, std::nullopt},
      {{60, 35, 70, 40}, std::nullopt},
      {{nan, 0, 10, 10}, std::nullopt},
  };
  for (const TCase& c : cases) EXPECT_EQ(FScene.DamageInPixels(c.Damage), c.Pixels) << c.Damage.Left;
}

TEST_F(ScenePaintTest, MoreThan20PendingRectanglesAreDrawnAsTheirUnionInOnePass) {
  for (const int reports : {20, 21}) {
    // Pixels at x = 0, 2, 4, ... of the first row.
    std::vector<TvgPixelRect> pending;
    for (int i = 0; i < reports; ++i) pending.push_back({2 * i, 0, 2 * i + 1, 1});
    for (const TvgPixelRect& rect : pending) FScene.AddPendingRect(rect);
    TRecordingCanvas canvas;
    const std::vector<TvgPixelRect> drawn = FScene.PaintScene(canvas);
    const std::vector<TvgPixelRect> merged{{0, 0, 41, 1}};
    EXPECT_EQ(drawn, reports > 20 ? merged : pending);
    std::string clip = "clip to";
    for (const TvgPixelRect& rect : drawn) clip += " " + TRecordingCanvas::Text(rect);
    EXPECT_EQ(canvas.FCalls.at(1), clip);
    EXPECT_EQ(Pass(), "") << "the pass empties the list";
  }
}

TEST_F(ScenePaintTest, OnlyRootsThatMeetTheDamagePaint) {
  AddRectangle(0, 0, 10, 10).Fill()->SetColor(0xFF0000FF);
  AddRectangle(30, 0, 10, 10).Fill()->SetColor(0xFF00FF00);
  AddRectangle(0, 20, 10, 10).SetVisible(false);
  FScene.AddPendingRect({0, 0, 10, 30});
  FScene.AddPendingRect({10, 0, 30, 10});  // touches the second one's edge only
  TRecordingCanvas canvas;
  FScene.PaintScene(canvas);
  EXPECT_EQ(canvas.FFillColors, (std::vector<TvgColor>{0xFF0000FF}));
}

TEST_F(ScenePaintTest, ATransparentSceneClearsWhereItsFillIsNoneOrOfAlpha0AndPaintsAnyOtherFill) {
  struct TCase {
    bool Transparency;
    TvgBrushStyle Style;
    TvgColor Color;
    std::string Background;
  };
  const TCase cases[] = {
      {true, vgBrushNone, 0xFF0000FF, "clear (0,0,5,5) #00000000"},
      {true, vgBrushSolid, 0x00FF0000, "clear (0,0,5,5) #00000000"},
      {true, vgBrushSolid, 0xFF0000FF, "fill (-1,-1,51,31)"},
      {false, vgBrushNone, 0x800000FF, "clear (0,0,5,5) #FF0000FF"},
  };
  for (const TCase& c : cases) {
    FScene.SetTransparency(c.Transparency);
    FScene.Fill()->SetStyle(c.Style);
    FScene.Fill()->SetColor(c.Color);
    FScene.AddPendingRect({0, 0, 5, 5});
    EXPECT_EQ(Pass(), "begin; clip to (0,0,5,5); " + c.Background + "; end") << c.Color;
  }
}

// A rectangle that moves another one the first time it paints, as a style applied or a
// trigger animation started in the middle of a pass would.
class TMovingOnPaint : public TvgRectangle {
public:
  using TvgRectangle::TvgRectangle;
  TvgVisualObject* FOther = nullptr;

protected:
  void Paint(IvgCanvas& canvas) override {
    TvgRectangle::Paint(canvas);
    if (FOther) std::exchange(FOther, nullptr)->Position()->SetPoint({30, 20});
  }
};

TEST_F(ScenePaintTest, DamageReportedDuringAPassIsDrawnByTheNext) {
  // Damage reaches the pending list as the scene's window collects it.
  class THost : public TStandInHost {
  public:
    explicit THost(TvgCustomScene& scene) : FScene(scene) {}
    void AddUpdateRect(const TvgRect& rect) override {
      if (const std::optional<TvgPixelRect> pixels = FScene.DamageInPixels(rect)) FScene.AddPendingRect(*pixels);
    }
    TvgCustomScene& FScene;
  } host(FScene);
  FScene.SetHost(&host);
  TvgRectangle& other = AddRectangle(0, 20, 10, 10);
  auto* mover = new TMovingOnPaint(&FOwner);
  mover->SetSize(10, 10);
  mover->FOther = &other;
  FScene.AddObject(mover);
  FScene.AddPendingRect({0, 0, 10, 10});
  TRecordingCanvas first;
  FScene.PaintScene(first);
  // The next pass draws it where it is now.
  TRecordingCanvas next;
  EXPECT_EQ(FScene.PaintScene(next), (std::vector<TvgPixelRect>{{30, 20, 41, 30}}));
  EXPECT_EQ(next.FFillColors.size(), 1u);
}

TEST_F(ScenePaintTest, APassThatCannotBeginAnswersItsRectanglesUndrawn) {
  AddRectangle(0, 0, 10, 10);
  FScene.AddPendingRect({0, 0, 5, 5});
  TRecordingCanvas canvas;
  canvas.FCanBegin = false;
  EXPECT_EQ(FScene.PaintScene(canvas), (std::vector<TvgPixelRect>{{0, 0, 5, 5}}));
  EXPECT_EQ(canvas.Calls(), "begin");
  EXPECT_EQ(Pass(), "");
}

}  // namespace
}  // namespace vd
