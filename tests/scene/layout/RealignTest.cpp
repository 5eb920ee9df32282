// Layout of aligned children.

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "scene/layout/Containers.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::Load;

struct TBox {
  float X, Y, Width, Height;
};

struct TChildCase {
  const char* Align;
  TBox Start;
  TvgRect Padding;
  TBox Expected;
  bool Visible = true;
};

struct TLayoutCase {
  const char* Name;
  float Width, Height;
  TvgRect Margins;
  std::vector<TChildCase> Children;
};

std::string Number(float value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string RectText(const TvgRect& r) {
  return "'(" + Number(r.Left) + "," + Number(r.Top) + "," + Number(r.Right) + "," + Number(r.Bottom) + ")'";
}

// The parent and its children as a text form: reading it lays the children out once.
std::string Form(const TLayoutCase& c) {
  std::string text = "object TvgLayout\n  Width = " + Number(c.Width) + "\n  Height = " + Number(c.Height) +
                     "\n  Margins.Rect = " + RectText(c.Margins) + "\n";
  for (const TChildCase& child : c.Children) {
    text += "  object TvgLayout\n    Align = " + std::string(child.Align) + "\n    Position.Point = '(" +
            Number(child.Start.X) + "," + Number(child.Start.Y) + ")'\n    Width = " + Number(child.Start.Width) +
            "\n    Height = " + Number(child.Start.Height) + "\n    Padding.Rect = " + RectText(child.Padding) +
            "\n    Visible = " + (child.Visible ? "True" : "False") + "\n  end\n";
  }
  return text + "end\n";
}

class RealignTest : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(RealignTest, LaysOutTheChildren) {
  const TLayoutCase& c = GetParam();
  const auto parent = Load<TvgVisualObject>(Form(c));
  ASSERT_EQ(parent->ChildrenCount(), static_cast<int>(c.Children.size()));
  for (std::size_t i = 0; i < c.Children.size(); ++i) {
    SCOPED_TRACE("child " + std::to_string(i));
    const TvgVisualObject& child = *parent->Children(static_cast<int>(i))->Visual();
    const TBox& e = c.Children[i].Expected;
    EXPECT_EQ(child.Position()->X(), e.X);
    EXPECT_EQ(child.Position()->Y(), e.Y);
    EXPECT_EQ(child.Width(), e.Width);
    EXPECT_EQ(child.Height(), e.Height);
  }
}

const TvgRect kNone{};

INSTANTIATE_TEST_SUITE_P(
    Kinds, RealignTest,
    ::testing::Values(
        // The About window's labels in their rectangle: the fourth starts where R's top is
        // after the third (111).
        TLayoutCase{"AboutLabels",
                    425,
                    223,
                    kNone,
                    {{"vaTop", {0, 0, 10, 26}, {20, 25, 0, 0}, {20, 25, 405, 26}},
                     {"vaTop", {0, 1, 10, 30}, {25, 0, 0, 0}, {25, 51, 400, 30}},
                     {"vaTop", {0, 2, 10, 30}, {25, 0, 0, 0}, {25, 81, 400, 30}},
                     {"vaTop", {0, 3, 10, 26}, {20, 0, 0, 0}, {20, 111, 405, 26}}}},
        TLayoutCase{"ClientFillsTheRoot", 504, 400, kNone, {{"vaClient", {5, 5, 10, 10}, kNone, {0, 0, 504, 400}}}},
        // Top edges stack by ascending Y, whatever the child order.
        TLayoutCase{"TopByY",
                    100,
                    100,
                    kNone,
                    {{"vaTop", {0, 40, 1, 5}, kNone, {0, 5, 100, 5}}, {"vaTop", {0, 10, 1, 5}, kNone, {0, 0, 100, 5}}}},
        // Bottom edges by descending far edge; of equal ones the later child comes first.
        TLayoutCase{"BottomByFarEdge",
                    100,
                    100,
                    kNone,
                    {{"vaBottom", {0, 50, 1, 10}, kNone, {0, 70, 100, 10}},
                     {"vaBottom", {0, 70, 1, 10}, kNone, {0, 90, 100, 10}},
                     {"vaBottom", {0, 50, 1, 10}, kNone, {0, 80, 100, 10}}}},
        TLayoutCase{"RightByFarEdge",
                    100,
                    100,
                    kNone,
                    {{"vaRight", {10, 0, 10, 1}, kNone, {80, 0, 10, 100}},
                     {"vaRight", {40, 0, 10, 1}, kNone, {90, 0, 10, 100}}}},
        // The "most" kinds come before the others; the client takes what is left.
        TLayoutCase{"DockingOrder",
                    100,
                    100,
                    {2, 0, 0, 0},
                    {{"vaClient", {0, 0, 1, 1}, kNone, {12, 30, 73, 70}},
                     {"vaRight", {0, 0, 15, 1}, kNone, {85, 30, 15, 70}},
                     {"vaLeft", {0, 0, 10, 1}, kNone, {2, 30, 10, 70}},
                     {"vaTop", {0, 0, 1, 10}, kNone, {2, 20, 98, 10}},
                     {"vaMostTop", {0, 0, 1, 20}, kNone, {2, 0, 98, 20}}}},
        TLayoutCase{"ClientInsideMargins", 100, 100, {5, 6, 7, 8}, {{"vaClient", {0, 0, 1, 1}, kNone, {5, 6, 88, 86}}}},
        // Centred: the outer box of width 11 goes Trunc(4.5) = 4 from R's left.
        TLayoutCase{"Center", 20, 20, kNone, {{"vaCenter", {0, 0, 9, 11}, {2, 0, 0, 0}, {6, 4, 9, 11}}}},
        // Trunc, not rounding: 5.5 goes to 5 (rounding gives 6), -3.5 to -3 (rounding gives -4).
        TLayoutCase{"CenterHalfAboveEven", 20, 20, kNone, {{"vaCenter", {0, 0, 9, 9}, kNone, {5, 5, 9, 9}}}},
        TLayoutCase{"CenterLargerThanParent", 20, 20, kNone, {{"vaCenter", {0, 0, 27, 27}, kNone, {-3, -3, 27, 27}}}},
        TLayoutCase{"HorzCenter", 100, 50, kNone, {{"vaHorzCenter", {3, 3, 10, 10}, kNone, {45, 0, 10, 50}}}},
        TLayoutCase{"VertCenter", 100, 50, kNone, {{"vaVertCenter", {3, 3, 10, 10}, kNone, {0, 20, 100, 10}}}},
        // Stretched across R, each keeps its place on the other axis.
        TLayoutCase{"Horizontal", 100, 100, kNone, {{"vaHorizontal", {3, 40, 10, 10}, kNone, {0, 40, 100, 10}}}},
        TLayoutCase{"Vertical", 100, 100, kNone, {{"vaVertical", {30, 3, 10, 10}, kNone, {30, 0, 10, 100}}}},
        // The whole parent, margins and R ignored, inside the child's padding.
        TLayoutCase{"Contents",
                    100,
                    80,
                    {10, 10, 10, 10},
                    {{"vaTop", {0, 0, 1, 10}, kNone, {10, 10, 80, 10}},
                     {"vaContents", {5, 5, 1, 1}, {1, 2, 3, 4}, {1, 2, 96, 74}}}},
        // Fitted: grown to touch the target, aspect kept, centred or moved to an edge.
        TLayoutCase{"FitGrows", 100, 50, kNone, {{"vaFit", {0, 0, 20, 20}, kNone, {25, 0, 50, 50}}}},
        TLayoutCase{"FitShrinks", 100, 50, kNone, {{"vaFit", {0, 0, 200, 50}, kNone, {0, 12, 100, 25}}}},
        TLayoutCase{"FitLeft", 100, 50, kNone, {{"vaFitLeft", {0, 0, 20, 20}, kNone, {0, 0, 50, 50}}}},
        TLayoutCase{"FitRight", 100, 50, kNone, {{"vaFitRight", {0, 0, 20, 20}, kNone, {50, 0, 50, 50}}}},
        // A hidden child keeps its place and leaves R to the next.
        TLayoutCase{"HiddenChild",
                    100,
                    100,
                    kNone,
                    {{"vaTop", {7, 0, 10, 10}, kNone, {7, 0, 10, 10}, false},
                     {"vaTop", {0, 1, 1, 10}, kNone, {0, 0, 100, 10}}}},
        // An object less than 2 pixels wide lays nothing out.
        TLayoutCase{"TooNarrow", 1.5f, 100, kNone, {{"vaClient", {3, 3, 7, 7}, kNone, {3, 3, 7, 7}}}},
        // Children not aligned, or at the top-left corner, stay where they are.
        TLayoutCase{"NotMoved",
                    100,
                    100,
                    kNone,
                    {{"vaNone", {3, 4, 5, 6}, kNone, {3, 4, 5, 6}}, {"vaTopLeft", {3, 4, 5, 6}, kNone, {3, 4, 5, 6}}}}),
    [](const ::testing::TestParamInfo<TLayoutCase>& info) { return std::string(info.param.Name); });

// The corner kinds follow the parent's far edges, and scaled children its size, from the
// size of the last layout.
TEST(RealignResizeTest, CornersMoveAndScaledChildrenGrowWithTheParent) {
  const auto parent = Load<TvgVisualObject>(
      "object TvgLayout\n  Width = 100\n  Height = 100\n"
      "  object TvgLayout\n    Align = vaTopRight\n    Position.Point = '(50,5)'\n  end\n"
      "  object TvgLayout\n    Align = vaBottomLeft\n    Position.Point = '(5,50)'\n  end\n"
      "  object TvgLayout\n    Align = vaBottomRight\n    Position.Point = '(50,50)'\n  end\n"
      "  object TvgLayout\n    Align = vaScale\n    Position.Point = '(10,10)'\n    Width = 20\n    Height = 20\n"
      "  end\nend\n");
  parent->SetSize(130, 120);
  const auto at = [&](int i) { return parent->Children(i)->Visual(); };
  EXPECT_EQ(at(0)->Position()->Point(), (TvgPoint{80, 5}));
  EXPECT_EQ(at(1)->Position()->Point(), (TvgPoint{5, 70}));
  EXPECT_EQ(at(2)->Position()->Point(), (TvgPoint{80, 70}));
  EXPECT_EQ(at(2)->Width(), 50);  // the corners keep their size
  EXPECT_FLOAT_EQ(at(3)->Position()->X(), 13);
  EXPECT_FLOAT_EQ(at(3)->Position()->Y(), 12);
  EXPECT_FLOAT_EQ(at(3)->Width(), 26);
  EXPECT_FLOAT_EQ(at(3)->Height(), 24);
  EXPECT_EQ(parent->LastWidth(), 130);
}

// A change of a child's alignment, size or padding, or of the parent's margins, lays the
// parent's children out again; while updates are nested nothing is laid out.
TEST(RealignResizeTest, ChangesLayOutAgain) {
  const auto parent = Load<TvgVisualObject>(
      "object TvgLayout\n  Width = 100\n  Height = 100\n"
      "  object TvgLayout\n    Align = vaTop\n    Height = 10\n  end\n"
      "  object TvgLayout\n  end\nend\n");
  TvgVisualObject& top = *parent->Children(0)->Visual();
  TvgVisualObject& other = *parent->Children(1)->Visual();
  other.SetAlign(vaTop);
  EXPECT_EQ(other.Position()->Y(), 10);
  top.SetHeight(20);
  EXPECT_EQ(other.Position()->Y(), 20);
  top.Padding()->SetTop(5);
  EXPECT_EQ(other.Position()->Y(), 25);
  parent->Margins()->SetTop(1);
  EXPECT_EQ(other.Position()->Y(), 26);
  parent->BeginUpdate();
  top.SetHeight(30);
  EXPECT_EQ(other.Position()->Y(), 26);
  parent->EndUpdate();
  EXPECT_EQ(other.Position()->Y(), 36);
}

}  // namespace
}  // namespace vd
