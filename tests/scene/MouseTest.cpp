// Mouse input: finding the object under the mouse, hovering, presses that become clicks,
// the capture, the wheel, and dragging the window by a press on no object.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "scene/Buttons.h"
#include "scene/Image.h"
#include "scene/Layouts.h"
#include "scene/Scene.h"
#include "scene/Shapes.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TStandInHost;

// A layout that takes the wheel.
class TWheelLayout : public TvgLayout {
public:
  using TvgLayout::TvgLayout;
  bool MouseWheel(TShiftState, int WheelDelta) override {
    FWheel += WheelDelta;
    return true;
  }
  int FWheel = 0;
};

class TGrip : public TvgLayout, public IvgSizeGrip {
public:
  using TvgLayout::TvgLayout;
};

// A scene in the shape of the About window's: a root and a background picture that let the
// mouse through, the OK button, a rectangle holding the web button (an image).
class MouseTest : public ::testing::Test {
protected:
  void SetUp() override {
    FHost.FBounds = {100, 50, 504, 400};
    FScene.SetHost(&FHost);
    FRoot = Make<TvgLayout>(nullptr, 0, 0, 504, 400);
    FRoot->SetHitTest(false);
    FScene.AddObject(FRoot);
    FImage = Make<TvgImage>(FRoot, 0, 0, 504, 400);
    FImage->SetHitTest(false);
    FOK = Make<TvgButton>(FImage, 208, 325, 94, 27);
    FRectangle = Make<TvgRectangle>(FImage, 43, 81, 425, 223);
    FWeb = Make<TvgImage>(FRectangle, 25, 182, 77, 31);
    for (TvgVisualObject* object : std::initializer_list<TvgVisualObject*>{FOK, FWeb, FRectangle}) {
      object->OnClick = TNotifyEvent(u"Click", [this](TComponent* sender) { Log(sender, "click"); });
      object->OnDblClick = TNotifyEvent(u"DblClick", [this](TComponent* sender) { Log(sender, "dblclick"); });
      object->OnMouseEnter = TNotifyEvent(u"Enter", [this](TComponent* sender) { Log(sender, "enter"); });
      object->OnMouseLeave = TNotifyEvent(u"Leave", [this](TComponent* sender) { Log(sender, "leave"); });
    }
  }

  template <class T>
  T* Make(TvgObject* parent, float x, float y, float width, float height) {
    auto* object = new T(&FOwner);
    object->Position()->SetPoint({x, y});
    object->SetSize(width, height);
    if (parent) parent->AddObject(object);
    return object;
  }
  void Log(TComponent* sender, const std::string& what) {
    const char* name = sender == FOK ? "ok" : sender == FWeb ? "web" : sender == FRectangle ? "rect" : "?";
    FLog.push_back(std::string(name) + " " + what);
  }
  std::vector<std::string> TakeLog() { return std::exchange(FLog, {}); }

  // Absolute positions: the OK button spans (208, 325) to (302, 352), the web button
  // (68, 263) to (145, 294).
  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
  TvgLayout* FRoot = nullptr;
  TvgImage* FImage = nullptr;
  TvgButton* FOK = nullptr;
  TvgRectangle* FRectangle = nullptr;
  TvgImage* FWeb = nullptr;
  std::vector<std::string> FLog;
};

TEST_F(MouseTest, TheObjectAtAPointIsTheTopmostThatTakesTheMouseEdgesExcluded) {
  EXPECT_EQ(FScene.ObjectAtPoint(250, 340), FOK);
  EXPECT_EQ(FScene.ObjectAtPoint(208.5f, 325.5f), FOK);
  EXPECT_EQ(FScene.ObjectAtPoint(208, 340), nullptr);  // the left edge
  EXPECT_EQ(FScene.ObjectAtPoint(250, 325), nullptr);  // the top edge
  EXPECT_EQ(FScene.ObjectAtPoint(302, 340), nullptr);  // the right edge
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), FWeb);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 100), FRectangle);
  EXPECT_EQ(FScene.ObjectAtPoint(10, 10), nullptr);  // only objects that let the mouse through

  // Objects that do not take the mouse are passed over, and the search goes on behind them.
  FWeb->SetHitTest(false);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), FRectangle);
  FRectangle->SetVisible(false);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), nullptr);  // and with it its children
  FRectangle->SetVisible(true);
  FOK->SetEnabled(false);
  EXPECT_EQ(FScene.ObjectAtPoint(250, 340), nullptr);
  FOK->SetEnabled(true);

  // A child outside its parent is found, unless the parent clips its children.
  FWeb->SetHitTest(true);
  FWeb->Position()->SetPoint({-30, 182});
  EXPECT_EQ(FScene.ObjectAtPoint(30, 270), FWeb);
  FRectangle->SetClipChildren(true);
  EXPECT_EQ(FScene.ObjectAtPoint(30, 270), nullptr);

  // Root objects are asked from the last; one that is not visual ends the search.
  auto* front = Make<TvgLayout>(nullptr, 0, 0, 504, 400);
  FScene.AddObject(front);
  EXPECT_EQ(FScene.ObjectAtPoint(250, 340), front);
  auto* plain = new TvgObject(&FOwner);
  FScene.AddObject(plain);
  EXPECT_EQ(FScene.ObjectAtPoint(250, 340), nullptr);
}

TEST_F(MouseTest, APressAndReleaseInsideGivesOneClick) {
  FScene.MouseMove(0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_TRUE(FHost.FCaptured);  // a button captures the mouse
  EXPECT_EQ(FScene.GetCaptured(), FOK);
  EXPECT_EQ(FHost.FFocusTaken, 1);
  EXPECT_EQ(FScene.GetFocused(), FOK);
  FScene.MouseUp(mbLeft, 0, 251, 341);
  EXPECT_FALSE(FHost.FCaptured);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"ok enter", "ok click"}));

  // Released outside: no click; the captured button gets no leave until the capture ends.
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseMove(ssLeft, 150, 150);
  FScene.MouseUp(mbLeft, 0, 150, 150);
  EXPECT_TRUE(TakeLog().empty());
  FScene.MouseMove(0, 150, 150);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"ok leave", "rect enter"}));

  // The right button presses nothing.
  FScene.MouseDown(mbRight, ssRight, 250, 340);
  FScene.MouseUp(mbRight, 0, 250, 340);
  EXPECT_FALSE(FHost.FCaptured);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MouseTest, TheEdgeIsOutsideForHitTestingButInsideForTheClick) {
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 208, 325);  // exactly the top-left corner: local (0, 0)
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"ok click"}));
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 302, 352);  // the bottom-right corner
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"ok click"}));
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 302.5f, 340);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MouseTest, APressOnAnImageReleasedElsewhereGivesNoClick) {
  FScene.MouseDown(mbLeft, ssLeft, 100, 270);
  EXPECT_FALSE(FHost.FCaptured);        // an image does not capture the mouse
  FScene.MouseUp(mbLeft, 0, 100, 150);  // over the rectangle, which was not pressed
  EXPECT_TRUE(TakeLog().empty());
  FScene.MouseDown(mbLeft, ssLeft, 100, 270);
  FScene.MouseUp(mbLeft, 0, 101, 271);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"web click"}));
}

TEST_F(MouseTest, HoveringFollowsTheMouseAndForgetsFreedObjects) {
  FWeb->SetHint(u"site");
  FWeb->SetShowHint(true);
  FWeb->SetCursor(crHandPoint);
  FScene.MouseMove(0, 100, 270);
  EXPECT_TRUE(FWeb->IsMouseOver());
  EXPECT_EQ(FScene.Hovered(), FWeb);
  EXPECT_EQ(FScene.Hint(), u"site");
  EXPECT_EQ(FHost.FCursor, crHandPoint);
  FScene.MouseMove(0, 101, 271);
  FScene.MouseMove(0, 100, 150);
  EXPECT_FALSE(FWeb->IsMouseOver());
  EXPECT_TRUE(FRectangle->IsMouseOver());
  EXPECT_EQ(FScene.Hint(), u"");
  EXPECT_EQ(FHost.FCursor, crDefault);
  FScene.MouseMove(0, 10, 10);
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"web enter", "web leave", "rect enter", "rect leave"}));

  // An object that goes away while hovered, captured and focused leaves the scene's hands.
  FScene.MouseMove(0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FOK->SetParent(nullptr);  // out of the scene first: the scene still holds it
  delete FOK;
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_EQ(FScene.GetCaptured(), nullptr);
  EXPECT_EQ(FScene.GetFocused(), nullptr);
  EXPECT_FALSE(FHost.FCaptured);
  FScene.MouseMove(0, 100, 150);
  FScene.MouseUp(mbLeft, 0, 100, 150);
}

TEST_F(MouseTest, ThePressedObjectTakesTheFocusFromThePreviousOne) {
  auto* other = Make<TvgButton>(FRectangle, 0, 0, 80, 22);
  std::vector<std::string> focus;
  for (TvgButton* button : {FOK, other}) {
    const std::string name = button == FOK ? "ok" : "other";
    button->OnEnterFocus = TNotifyEvent(u"Enter", [&focus, name](TComponent*) { focus.push_back(name + " in"); });
    button->OnKillFocus = TNotifyEvent(u"Kill", [&focus, name](TComponent*) { focus.push_back(name + " out"); });
  }
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 50, 90);
  FScene.MouseUp(mbLeft, 0, 50, 90);
  FScene.MouseDown(mbLeft, ssLeft, 100, 270);  // an image does not take the focus
  EXPECT_EQ(focus, (std::vector<std::string>{"ok in", "ok out", "other in"}));
  EXPECT_TRUE(other->IsFocused());
  EXPECT_FALSE(FOK->IsFocused());
}

TEST_F(MouseTest, APressOnNoObjectDragsTheWindowByTheMousesMovement) {
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  EXPECT_TRUE(FHost.FCaptured);
  // The window moves with the mouse, so the mouse stays near the press in its pixels.
  FScene.MouseMove(ssLeft, 15, 7);
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{105, 47, 504, 400}));
  FScene.MouseMove(ssLeft, 12.5f, 13.5f);
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{108, 50, 504, 400}));  // 107.5 and 50.5, half to even
  EXPECT_TRUE(TakeLog().empty());                                  // nothing is hovered meanwhile
  FScene.MouseUp(mbLeft, 0, 10, 10);
  EXPECT_FALSE(FHost.FCaptured);
  FScene.MouseMove(0, 30, 30);
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{108, 50, 504, 400}));

  // A form tagged 65535 stays, and so does a scene without EnableDrag.
  FHost.FTag = 65535;
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  FScene.MouseUp(mbLeft, 0, 40, 40);
  FHost.FTag = 0;
  FScene.SetEnableDrag(false);
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  EXPECT_FALSE(FHost.FCaptured);
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{108, 50, 504, 400}));
}

TEST_F(MouseTest, APressOnASizeGripResizesTheWindow) {
  Make<TGrip>(FRoot, 490, 386, 14, 14);
  FScene.MouseDown(mbLeft, ssLeft, 495, 390);
  FScene.MouseMove(ssLeft, 505, 385);
  FScene.MouseMove(ssLeft, 515, 395);
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{100, 50, 524, 405}));
  EXPECT_EQ(FHost.FCursor, crSizeNWSE);
  FScene.MouseUp(mbLeft, 0, 515, 395);
  EXPECT_FALSE(FHost.FCaptured);
}

TEST_F(MouseTest, TheWheelGoesUpTheParentsUntilOneTakesIt) {
  auto* wheel = Make<TWheelLayout>(FRectangle, 200, 0, 100, 100);
  Make<TvgRectangle>(wheel, 0, 0, 50, 50);
  EXPECT_TRUE(FScene.DoMouseWheel(0, 120, 250, 90));  // over the wheel layout's child
  EXPECT_EQ(wheel->FWheel, 120);
  EXPECT_FALSE(FScene.DoMouseWheel(0, 120, 100, 270));
  // The captured object gets it wherever the mouse is.
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_FALSE(FScene.DoMouseWheel(0, -120, 250, 90));
  EXPECT_EQ(wheel->FWheel, 120);
}

TEST_F(MouseTest, InDesignModeTheSceneLeavesTheMouseAlone) {
  FScene.SetDesigning(true);
  FScene.MouseMove(0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(FHost.FBounds, (TvgWindowBounds{100, 50, 504, 400}));
}

}  // namespace
}  // namespace vd
