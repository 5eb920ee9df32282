// The scene window: damage collected and drawn into its buffer in one pass, and the layered
// form it makes. How a pass treats its rectangles is tested natively (tests/scene).

#include "scene/win32/SceneWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "scene/controls/Buttons.h"
#include "scene/layout/Containers.h"
#include "tests/scene/SceneTestSupport.h"
#include "tests/scene/win32/LayeredWindowRecorder.h"

namespace vd::win32 {
namespace {

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class SceneWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    FForm.Reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 300, 200, 60, 40, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(FForm);
    FScene.SetBounds(5, 7, 50, 30);
  }
  // Creates the scene's window in the form, as shown, and lets everything it started run.
  void CreateScene() {
    FScene.CreateWindowIn(FForm.Get());
    FScene.Showing();
    PumpMessages();
    FLayer.Last().Count = 0;
  }
  bool FormIsLayered() const { return GetWindowLongPtrW(FForm.Get(), GWL_EXSTYLE) & WS_EX_LAYERED; }
  std::uint32_t& Pixel(int x, int y) { return FScene.Canvas()->Buffer().Bits()[y * FScene.Width() + x]; }
  void FillBuffer(std::uint32_t value) {
    for (int y = 0; y < FScene.Height(); ++y)
      for (int x = 0; x < FScene.Width(); ++x) Pixel(x, y) = value;
  }

  platform::TWin32Platform FSystem;
  test::TLayeredWindowRecorder FLayer;
  TUniqueWindow FForm;
  TvgScene FScene{nullptr};
};

TEST_F(SceneWindowTest, ATransparentSceneMakesItsFormLayeredAndHandsItTheBuffer) {
  FScene.SetTransparency(true);
  FScene.CreateWindowIn(FForm.Get());
  EXPECT_TRUE(FormIsLayered());
  // Nothing is drawn before the scene is shown; then all of it, at once.
  PumpMessages();
  EXPECT_EQ(FLayer.Last().Count, 0);
  EXPECT_EQ(FScene.Canvas(), nullptr);
  FScene.Showing();
  PumpMessages();
  const auto& call = FLayer.Last();
  EXPECT_EQ(call.Count, 1);
  EXPECT_EQ(call.Window, FForm.Get());
  EXPECT_EQ(call.Position.x, 305);
  EXPECT_EQ(call.Position.y, 207);
  EXPECT_EQ(call.Size.cx, 50);
  EXPECT_EQ(call.Size.cy, 30);
  EXPECT_EQ(call.Source, FScene.Canvas()->Buffer().DC());
  EXPECT_EQ(call.Blend.BlendOp, AC_SRC_OVER);
  EXPECT_EQ(call.Blend.SourceConstantAlpha, 255);
  EXPECT_EQ(call.Blend.AlphaFormat, AC_SRC_ALPHA);
  EXPECT_EQ(call.Flags, static_cast<DWORD>(ULW_ALPHA));
}

TEST_F(SceneWindowTest, DamageReportedBeforeTheRedrawIsDrawnInOnePassMergedWhenThereAreMoreThan20) {
  FScene.SetTransparency(true);
  CreateScene();
  for (const int reports : {20, 21}) {
    FillBuffer(0xFFFFFFFF);
    // Pixels at x = 0, 2, 4, ... of the first row.
    for (int i = 0; i < reports; ++i) FScene.AddUpdateRect({static_cast<float>(2 * i), 0, 2 * i + 0.5f, 0.5f});
    FLayer.Last().Count = 0;
    PumpMessages();
    EXPECT_EQ(FLayer.Last().Count, 1) << reports;
    EXPECT_EQ(Pixel(0, 0), 0u) << reports;
    EXPECT_EQ(Pixel(2 * (reports - 1), 0), 0u) << reports;
    // Between them only their union clears.
    EXPECT_EQ(Pixel(1, 0), reports > 20 ? 0u : 0xFFFFFFFFu) << reports;
    EXPECT_EQ(Pixel(2 * reports, 0), 0xFFFFFFFFu) << reports;
    EXPECT_EQ(Pixel(0, 1), 0xFFFFFFFFu) << reports;
  }
}

TEST_F(SceneWindowTest, AHiddenSceneLetsItsDrawingGoAfter30sAndDrawsAllOfItselfWhenShownAgain) {
  scene_test::TManualClock clock;
  FScene.SetTransparency(true);
  CreateScene();
  FScene.Hidden();
  clock.Advance(TvgScene::kReleaseDelayMs - 1);
  FScene.Showing();  // shown again in time: the timer goes
  clock.Advance(TvgScene::kReleaseDelayMs);
  ASSERT_NE(FScene.Canvas(), nullptr);
  FScene.Hidden();
  clock.Advance(TvgScene::kReleaseDelayMs);
  EXPECT_EQ(FScene.Canvas(), nullptr);
  FScene.AddUpdateRect({0, 0, 10, 10});  // nothing to draw into: no pass
  PumpMessages();
  EXPECT_EQ(FLayer.Last().Count, 0);
  FScene.Fill()->SetStyle(vgBrushSolid);
  FScene.Fill()->SetColor(0xFF0000FF);
  FScene.Showing();
  EXPECT_EQ(FLayer.Last().Count, 1);
  EXPECT_EQ(Pixel(49, 29), 0xFF0000FFu);
}

TEST_F(SceneWindowTest, ATransparentSceneInDesignModeIsAnOrdinaryScene) {
  FScene.SetTransparency(true);
  FScene.SetDesigning(true);
  CreateScene();
  EXPECT_FALSE(FormIsLayered());
  // Only a shown window collects what needs painting.
  ShowWindow(FForm.Get(), SW_SHOWNOACTIVATE);
  PumpMessages();
  FScene.AddUpdateRect({0, 0, 10, 10});
  RECT invalid{};
  EXPECT_TRUE(GetUpdateRect(FScene.Handle(), &invalid, FALSE));
  EXPECT_EQ(invalid.right, 11);
  PumpMessages();
  EXPECT_EQ(FLayer.Last().Count, 0);
}

TEST_F(SceneWindowTest, TransparencyTurnedOnAfterTheWindowExistsLeavesTheFormAsItIs) {
  CreateScene();
  FScene.SetTransparency(true);
  PumpMessages();
  EXPECT_FALSE(FormIsLayered());
}

TEST_F(SceneWindowTest, TheMouseTakenAwayInADragOrAPressEndsIt) {
  // A button at (25, 5) to (45, 25) over a root that lets the mouse through.
  auto* root = new TvgLayout(nullptr);
  root->SetSize(50, 30);
  root->SetHitTest(false);
  FScene.AddObject(root);
  auto* button = new TvgButton(nullptr);
  button->Position()->SetPoint({25, 5});
  button->SetSize(20, 20);
  root->AddObject(button);
  int clicks = 0;
  button->OnClick = TNotifyEvent(u"Click", [&](TComponent*) { ++clicks; });
  CreateScene();
  const TUniqueWindow other(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(other);
  const HWND scene = FScene.Handle();
  struct TCase {
    const char* Name;
    std::function<void()> TakeAway;
    bool Ends;
  };
  const TCase cases[] = {
      {"cancel mode", [&] { SendMessageW(scene, WM_CANCELMODE, 0, 0); }, true},
      {"capture taken by another window", [&] { SetCapture(other.Get()); }, true},
      {"capture released", [] { ReleaseCapture(); }, true},
      // As when another program takes the foreground.
      {"focus lost", [&] { SendMessageW(scene, WM_KILLFOCUS, reinterpret_cast<WPARAM>(other.Get()), 0); }, true},
      {"capture taken again by the scene",
       [&] { SendMessageW(scene, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(scene)); }, false},
  };
  for (const bool drag : {true, false}) {
    const LPARAM press = drag ? MAKELPARAM(10, 10) : MAKELPARAM(35, 15);
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(drag ? "drag, " : "press, ") + c.Name);
      RECT before{};
      GetWindowRect(FForm.Get(), &before);
      SendMessageW(scene, WM_LBUTTONDOWN, MK_LBUTTON, press);
      ASSERT_EQ(GetCapture(), scene);
      c.TakeAway();
      EXPECT_EQ(FScene.MovingWindow(), drag && !c.Ends);
      EXPECT_EQ(button->IsPressed(), !drag && !c.Ends);
      // The bare cursor moves the form only while the drag runs.
      SendMessageW(scene, WM_MOUSEMOVE, 0, MAKELPARAM(30, 25));
      RECT after{};
      GetWindowRect(FForm.Get(), &after);
      EXPECT_EQ(after.left - before.left, drag && !c.Ends ? 20 : 0);
      EXPECT_EQ(after.top - before.top, drag && !c.Ends ? 15 : 0);
      // A release over the button clicks it only while its press runs.
      clicks = 0;
      SendMessageW(scene, WM_LBUTTONUP, 0, MAKELPARAM(35, 15));
      EXPECT_EQ(clicks, !drag && !c.Ends ? 1 : 0);
      ReleaseCapture();
      SetWindowPos(FForm.Get(), nullptr, before.left, before.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

TEST_F(SceneWindowTest, AFlushHandlerTakesEachPassInsteadOfTheScreen) {
  int flushed = 0;
  FScene.OnFlush = TNotifyEvent(u"Flush", [&](TComponent* sender) {
    EXPECT_EQ(sender, &FScene);
    ++flushed;
  });
  FScene.SetTransparency(true);
  CreateScene();
  flushed = 0;
  FScene.AddUpdateRect({0, 0, 5, 5});
  FScene.AddUpdateRect({10, 0, 15, 5});
  PumpMessages();
  EXPECT_EQ(flushed, 1);
  EXPECT_EQ(FLayer.Last().Count, 0);
}

}  // namespace
}  // namespace vd::win32
