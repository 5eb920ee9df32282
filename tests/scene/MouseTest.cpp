// Mouse input: finding the object under the mouse, hovering, presses that become clicks,
// buttons held, toggled and repeating, the capture, the wheel, and dragging the window by
// a press on no object.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "scene/CustomScene.h"
#include "scene/animation/Animations.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/controls/Shapes.h"
#include "scene/layout/Containers.h"
#include "tests/scene/AboutShapedScene.h"

namespace vd {
namespace {

using scene_test::TRecordingCanvas;
using TLog = std::vector<std::string>;

// A layout that takes the wheel, and a size grip.
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

// The About window's scene (AboutShapedScene.h); the mouse's events on OK, the web button
// and the rectangle are logged.
class MouseTest : public ::testing::Test, protected scene_test::TAboutShapedScene {
protected:
  void SetUp() override {
    for (TvgVisualObject* object : std::initializer_list<TvgVisualObject*>{FOK, FWeb, FRectangle}) {
      object->OnClick = TNotifyEvent(u"Click", [this](TComponent* sender) { Log(sender, "click"); });
      object->OnDblClick = TNotifyEvent(u"DblClick", [this](TComponent* sender) { Log(sender, "dblclick"); });
      object->OnMouseEnter = TNotifyEvent(u"Enter", [this](TComponent* sender) { Log(sender, "enter"); });
      object->OnMouseLeave = TNotifyEvent(u"Leave", [this](TComponent* sender) { Log(sender, "leave"); });
    }
  }

  void Log(TComponent* sender, const std::string& what) {
    FLog.push_back((sender == FOK ? "ok " : sender == FWeb ? "web " : "rect ") + what);
  }
  TLog TakeLog() { return std::exchange(FLog, {}); }
  void Click(float x, float y, TShiftState shift = 0) {
    FScene.MouseDown(mbLeft, ssLeft | shift, x, y);
    FScene.MouseUp(mbLeft, 0, x, y);
  }
  // The OK button's picture as it is drawn now.
  const TvgBitmap* Shown() const {
    TRecordingCanvas canvas;
    FOK->PaintTo(canvas);
    return canvas.FBitmaps.empty() ? nullptr : canvas.FBitmaps.front().Bitmap;
  }

  TLog FLog;
};

TEST_F(MouseTest, TheObjectAtAPointIsTheTopmostThatTakesTheMouseEdgesExcluded) {
  EXPECT_EQ(FScene.ObjectAtPoint(208.5f, 325.5f), FOK);
  for (const TvgPoint edge : {TvgPoint{208, 340}, TvgPoint{250, 325}, TvgPoint{302, 340}})
    EXPECT_EQ(FScene.ObjectAtPoint(edge.X, edge.Y), nullptr) << edge.X << "," << edge.Y;
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), FWeb);
  EXPECT_EQ(FScene.ObjectAtPoint(10, 10), nullptr);  // only objects that let the mouse through

  // Passed over: an object that does not take the mouse (the search goes on behind it), a
  // hidden parent's children, a control that is not enabled.
  FWeb->SetHitTest(false);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), FRectangle);
  FRectangle->SetVisible(false);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 270), nullptr);
  FOK->SetEnabled(false);
  EXPECT_EQ(FScene.ObjectAtPoint(250, 340), nullptr);

  // A child outside its parent is found, unless the parent clips its children.
  FRectangle->SetVisible(true);
  FWeb->SetHitTest(true);
  FWeb->Position()->SetPoint({-30, 182});
  EXPECT_EQ(FScene.ObjectAtPoint(30, 270), FWeb);
  FRectangle->SetClipChildren(true);
  EXPECT_EQ(FScene.ObjectAtPoint(30, 270), nullptr);

  // Root objects are asked from the last; one that is not visual ends the search.
  auto* front = Make<TvgLayout>(nullptr, 0, 0, 504, 400);
  FScene.AddObject(front);
  EXPECT_EQ(FScene.ObjectAtPoint(100, 100), front);
  FScene.AddObject(new TvgObject(&FOwner));
  EXPECT_EQ(FScene.ObjectAtPoint(100, 100), nullptr);
}

TEST_F(MouseTest, APressAndReleaseInsideGivesOneClick) {
  FScene.MouseMove(0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_TRUE(FHost.FCaptured);  // a button captures the mouse and takes the focus
  EXPECT_EQ(FScene.GetFocused(), FOK);
  EXPECT_EQ(FHost.FFocusTaken, 1);
  FScene.MouseUp(mbLeft, 0, 251, 341);
  EXPECT_FALSE(FHost.FCaptured);
  EXPECT_EQ(TakeLog(), (TLog{"ok enter", "ok click"}));
  EXPECT_EQ(FHost.FModalResult, 0);
  FOK->SetModalResult(1);  // a click hands it to the form
  Click(250, 340);
  EXPECT_EQ(FHost.FModalResult, 1);
}

TEST_F(MouseTest, APressedButtonMovedOffShowsItsHotPictureAndGivesNoClick) {
  EXPECT_EQ(Shown(), FOK->Bitmap());
  FScene.MouseMove(0, 250, 340);
  EXPECT_EQ(Shown(), FOK->BitmapHot());
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_EQ(Shown(), FOK->BitmapDown());
  FScene.MouseMove(ssLeft, 250, 360);  // off the button, still held
  EXPECT_FALSE(FOK->IsPressed());
  EXPECT_TRUE(FOK->IsMouseOver());  // the captured button is not left
  EXPECT_EQ(Shown(), FOK->BitmapHot());
  FScene.MouseMove(ssLeft, 250, 350);
  EXPECT_TRUE(FOK->IsPressed());
  FScene.MouseMove(ssLeft, 250, 360);
  FScene.MouseUp(mbLeft, 0, 250, 360);
  FScene.MouseMove(0, 250, 361);  // the capture has ended: now it is left
  EXPECT_EQ(Shown(), FOK->Bitmap());
  EXPECT_EQ(TakeLog(), (TLog{"ok enter", "ok leave"}));
}

TEST_F(MouseTest, TheEdgeIsOutsideForHitTestingButInsideForTheClick) {
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 208, 325);  // the button's top-left corner, local (0, 0)
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 302, 352);  // its bottom-right corner
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseUp(mbLeft, 0, 302.5f, 340);
  EXPECT_EQ(TakeLog(), (TLog{"ok click", "ok click"}));
}

TEST_F(MouseTest, APressOnAnImageReleasedElsewhereGivesNoClick) {
  FScene.MouseDown(mbLeft, ssLeft, 100, 270);
  EXPECT_FALSE(FHost.FCaptured);        // an image does not capture the mouse
  FScene.MouseUp(mbLeft, 0, 100, 150);  // over the rectangle, which was not pressed
  EXPECT_TRUE(TakeLog().empty());
  Click(100, 270);
  EXPECT_EQ(TakeLog(), (TLog{"web click"}));
}

TEST_F(MouseTest, ADoubleClickGivesOneDblClickAndOneClick) {
  Click(250, 340);
  Click(250, 340, ssDouble);  // the release gives no click of its own
  Click(100, 270, ssDouble);  // an image has no click after its double click
  EXPECT_EQ(TakeLog(), (TLog{"ok click", "ok dblclick", "ok click", "web dblclick"}));
}

TEST_F(MouseTest, AButtonThatStaysPressedTogglesAndARepeatingOneClicksWhileHeld) {
  FOK->SetStaysPressed(true);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FScene.MouseMove(ssLeft, 250, 360);  // moving off changes nothing
  FScene.MouseUp(mbLeft, 0, 250, 340);
  EXPECT_TRUE(FOK->IsPressed());
  Click(250, 340);
  EXPECT_FALSE(FOK->IsPressed());
  FOK->SetStaysPressed(false);
  TakeLog();

  FOK->SetRepeat(true);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FClock.Advance(499);
  EXPECT_TRUE(TakeLog().empty());
  FClock.Advance(201);  // after 500 ms, then every 100 ms
  EXPECT_EQ(TakeLog().size(), 3u);
  FScene.MouseUp(mbLeft, 0, 250, 340);           // the release inside clicks as usual
  FScene.MouseDown(mbRight, ssRight, 250, 340);  // the right button presses nothing
  EXPECT_FALSE(FOK->IsPressed());
  FClock.Advance(1000);
  EXPECT_EQ(TakeLog().size(), 1u);
}

TEST_F(MouseTest, HoveringFollowsTheMouseAndForgetsFreedObjects) {
  FWeb->SetHint(u"site");
  FWeb->SetShowHint(true);
  FWeb->SetCursor(crHandPoint);
  FScene.MouseMove(0, 100, 270);
  EXPECT_TRUE(FWeb->IsMouseOver());
  EXPECT_EQ(FScene.Hint(), u"site");
  EXPECT_EQ(FHost.FCursor, crHandPoint);
  FScene.MouseMove(0, 100, 150);
  EXPECT_EQ(FScene.Hint(), u"");
  EXPECT_EQ(FHost.FCursor, crDefault);
  FScene.MouseMove(0, 10, 10);
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_EQ(TakeLog(), (TLog{"web enter", "web leave", "rect enter", "rect leave"}));
  FScene.MouseMove(0, 100, 270);
  FScene.MouseLeave();  // the mouse left the window
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_EQ(TakeLog(), (TLog{"web enter", "web leave"}));

  // An object that goes away while hovered, captured and focused leaves the scene's hands,
  // even when it left the scene first.
  FScene.MouseMove(0, 250, 340);
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  FOK->SetParent(nullptr);
  delete FOK;
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_EQ(FScene.GetCaptured(), nullptr);
  EXPECT_EQ(FScene.GetFocused(), nullptr);
  EXPECT_FALSE(FHost.FCaptured);
}

TEST_F(MouseTest, APressOnNoObjectDragsTheWindowByTheMousesMovement) {
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  EXPECT_TRUE(FHost.FCaptured);
  // The window moves with the mouse, so the mouse stays near the press in its pixels.
  FScene.MouseMove(ssLeft, 15, 7);
  EXPECT_EQ(FHost.FBounds, (TvgPixelRect{105, 47, 609, 447}));
  FScene.MouseMove(ssLeft, 12.5f, 13.5f);
  EXPECT_EQ(FHost.FBounds, (TvgPixelRect{108, 50, 612, 450}));  // 107.5 and 50.5, half to even
  FScene.MouseUp(mbLeft, 0, 10, 10);
  EXPECT_FALSE(FHost.FCaptured);
  // A form tagged 65535 stays, and so does a scene without EnableDrag or in design mode.
  FHost.FTag = 65535;
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  FHost.FTag = 0;
  FScene.SetEnableDrag(false);
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  FScene.SetEnableDrag(true);
  FScene.SetDesigning(true);
  FScene.MouseDown(mbLeft, ssLeft, 10, 10);
  FScene.MouseMove(ssLeft, 40, 40);
  EXPECT_EQ(FHost.FBounds, (TvgPixelRect{108, 50, 612, 450}));
}

TEST_F(MouseTest, APressOnASizeGripResizesTheWindow) {
  Make<TGrip>(FRoot, 490, 386, 14, 14);
  FScene.MouseDown(mbLeft, ssLeft, 495, 390);
  FScene.MouseMove(ssLeft, 505, 385);
  FScene.MouseMove(ssLeft, 515, 395);
  EXPECT_EQ(FHost.FBounds, (TvgPixelRect{100, 50, 624, 455}));
  EXPECT_EQ(FHost.FCursor, crSizeNWSE);
  FScene.MouseUp(mbLeft, 0, 515, 395);
  EXPECT_FALSE(FHost.FCaptured);
}

TEST_F(MouseTest, TheMouseTakenAwayEndsADragAResizeOrAPressWithoutAClick) {
  Make<TGrip>(FRoot, 490, 386, 14, 14);
  FOK->SetRepeat(true);
  struct TCase {
    const char* Name;
    TvgPoint Press;
  };
  for (const TCase& c : {TCase{"drag", {10, 10}}, TCase{"resize", {495, 390}}, TCase{"button", {250, 340}}}) {
    const TvgPixelRect bounds = FHost.FBounds;
    FScene.MouseMove(0, c.Press.X, c.Press.Y);
    FScene.MouseDown(mbLeft, ssLeft, c.Press.X, c.Press.Y);
    ASSERT_TRUE(FHost.FCaptured) << c.Name;
    FScene.MouseCaptureLost();
    EXPECT_FALSE(FHost.FCaptured) << c.Name;
    EXPECT_EQ(FScene.GetCaptured(), nullptr) << c.Name;
    EXPECT_FALSE(FScene.MovingWindow()) << c.Name;
    EXPECT_EQ(FScene.Hovered(), nullptr) << c.Name;
    EXPECT_FALSE(FOK->IsPressed()) << c.Name;
    EXPECT_EQ(Shown(), FOK->Bitmap()) << c.Name;
    FClock.Advance(1000);         // a repeating button clicks no more
    FScene.MouseMove(0, 40, 40);  // the bare cursor moves and sizes nothing
    EXPECT_EQ(FHost.FBounds, bounds) << c.Name;
    FScene.MouseUp(mbLeft, 0, c.Press.X, c.Press.Y);  // nor does a late release click
  }
  EXPECT_EQ(TakeLog(), (TLog{"ok enter", "ok leave"}));
  // Hovering goes on as before.
  FScene.MouseMove(0, 100, 270);
  EXPECT_EQ(TakeLog(), TLog{"web enter"});
  // With no capture held, what took it was the scene's own release: nothing changes.
  FScene.MouseCaptureLost();
  EXPECT_EQ(FScene.Hovered(), FWeb);
}

TEST_F(MouseTest, TheMouseGoneToAnotherWindowLeavesTheCursorToIt) {
  FWeb->SetCursor(crHandPoint);
  struct TCase {
    const char* Name;
    TvgPoint Press;  // none: the mouse only moves over the web button
    std::function<void(TvgCustomScene&)> Gone;
  };
  const auto captureLost = [](TvgCustomScene& scene) { scene.MouseCaptureLost(); };
  const TCase cases[] = {
      {"the capture lost in a press", {250, 340}, captureLost},
      {"the capture lost in a drag", {10, 10}, captureLost},
      {"the window left", {-1, -1}, [](TvgCustomScene& scene) { scene.MouseLeave(); }},
  };
  for (const TCase& c : cases) {
    FScene.MouseMove(0, 100, 270);
    if (c.Press.X >= 0) FScene.MouseDown(mbLeft, ssLeft, c.Press.X, c.Press.Y);
    // What the other window's cursor is, as far as the scene knows.
    FHost.FCursor = crIBeam;
    c.Gone(FScene);
    EXPECT_EQ(FHost.FCursor, crIBeam) << c.Name;
    EXPECT_EQ(FScene.Hovered(), nullptr) << c.Name;
    // Back over the scene, the mouse sets it again.
    FScene.MouseMove(0, 100, 270);
    EXPECT_EQ(FHost.FCursor, crHandPoint) << c.Name;
    FScene.MouseUp(mbLeft, 0, 100, 270);
  }
}

// Handlers that free the object they were raised for, or its parent, in the middle of the
// scene's mouse handling: nothing touches the freed objects afterwards (AddressSanitizer
// fails the test otherwise), and the scene holds none of them.
struct TFreeingHandler {
  const char* Name;
  // Installs the handler on the OK button (or on the button focused before it, or on an
  // animation of the OK button's) that frees `victim`.
  std::function<void(TvgBitmapStateButton& ok, TvgButton& focused, TvgObject* victim)> Install;
  bool FreesParent;
  // Where the mouse goes: a move over the OK button, a press on it, a release, a move off.
  std::function<void(TvgCustomScene& scene)> Mouse;
};

void FreeOn(TNotifyEvent& event, TvgObject* victim) {
  event = TNotifyEvent(u"Free", [victim](TComponent*) { delete victim; });
}
void FreeOnMouse(TMouseEvent& event, TvgObject* victim) {
  event = TMouseEvent(u"Free", [victim](TComponent*, TMouseButton, TShiftState, float, float) { delete victim; });
}
// An animation of the button that runs at once when the trigger condition holds.
void FreeOnTrigger(TvgBitmapStateButton& ok, const char16_t* condition, TvgObject* victim) {
  auto* animation = new TvgAnimation(ok.Owner());
  animation->SetTrigger(condition);
  animation->SetDuration(0);
  ok.AddObject(animation);
  FreeOn(animation->OnFinish, victim);
}

void Press(TvgCustomScene& scene) { scene.MouseDown(mbLeft, ssLeft, 250, 340); }
void Release(TvgCustomScene& scene) {
  Press(scene);
  scene.MouseUp(mbLeft, 0, 250, 340);
}
void Enter(TvgCustomScene& scene) { scene.MouseMove(0, 250, 340); }
void Leave(TvgCustomScene& scene) {
  Enter(scene);
  scene.MouseMove(0, 10, 10);
}

class MouseHandlerFreesTest : public MouseTest, public ::testing::WithParamInterface<TFreeingHandler> {};

TEST_P(MouseHandlerFreesTest, NothingTouchesTheFreedObjects) {
  auto* focused = Make<TvgButton>(FRoot, 480, 0, 20, 20);
  focused->SetFocus();
  TvgObject* victim = GetParam().FreesParent ? static_cast<TvgObject*>(FImage) : FOK;
  const TvgObjectGuard ok(FOK);
  GetParam().Install(*FOK, *focused, victim);
  GetParam().Mouse(FScene);
  EXPECT_FALSE(ok.Alive());
  EXPECT_EQ(FScene.GetCaptured(), nullptr);
  EXPECT_EQ(FScene.Hovered(), nullptr);
  EXPECT_NE(FScene.GetFocused(), static_cast<TvgVisualObject*>(FOK));
  EXPECT_FALSE(FHost.FCaptured);
}

using TOK = TvgBitmapStateButton;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Handlers, MouseHandlerFreesTest, ::testing::Values(
    TFreeingHandler{"KillFocusOfTheFocusedFreesThePressedOne",
                    [](TOK&, TvgButton& f, TvgObject* v) { FreeOn(f.OnKillFocus, v); }, false, Press},
    TFreeingHandler{"KillFocusOfTheFocusedFreesThePressedOnesParent",
                    [](TOK&, TvgButton& f, TvgObject* v) { FreeOn(f.OnKillFocus, v); }, true, Press},
    TFreeingHandler{"MouseDownFreesTheButton",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnMouse(ok.OnMouseDown, v); }, false, Press},
    TFreeingHandler{"MouseDownFreesItsParent",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnMouse(ok.OnMouseDown, v); }, true, Press},
    TFreeingHandler{"PressedTriggerFreesTheButton",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnTrigger(ok, u"IsPressed=true", v); }, false, Press},
    TFreeingHandler{"MouseUpFreesTheButton",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnMouse(ok.OnMouseUp, v); }, false, Release},
    TFreeingHandler{"MouseUpFreesItsParent",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnMouse(ok.OnMouseUp, v); }, true, Release},
    TFreeingHandler{"ReleasedTriggerFreesItsParent",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOnTrigger(ok, u"IsPressed=false", v); }, true,
                    Release},
    TFreeingHandler{"DblClickFreesTheButton",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOn(ok.OnDblClick, v); }, false,
                    [](TvgCustomScene& scene) { scene.MouseDown(mbLeft, ssLeft | ssDouble, 250, 340); }},
    TFreeingHandler{"MouseEnterFreesTheButton",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOn(ok.OnMouseEnter, v); }, false, Enter},
    TFreeingHandler{"MouseLeaveFreesItsParent",
                    [](TOK& ok, TvgButton&, TvgObject* v) { FreeOn(ok.OnMouseLeave, v); }, true, Leave}),
    [](const ::testing::TestParamInfo<TFreeingHandler>& info) { return info.param.Name; });
// clang-format on

TEST_F(MouseTest, TheWheelGoesUpTheParentsUntilOneTakesItOrToTheCapturedObject) {
  auto* wheel = Make<TWheelLayout>(FRectangle, 200, 0, 100, 100);
  Make<TvgRectangle>(wheel, 0, 0, 50, 50);
  EXPECT_TRUE(FScene.DoMouseWheel(0, 120, 250, 90));  // over the wheel layout's child
  EXPECT_EQ(wheel->FWheel, 120);
  EXPECT_FALSE(FScene.DoMouseWheel(0, 120, 100, 270));
  FScene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_FALSE(FScene.DoMouseWheel(0, -120, 250, 90));
  EXPECT_EQ(wheel->FWheel, 120);
}

}  // namespace
}  // namespace vd
