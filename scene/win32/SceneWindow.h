#pragma once
// TvgScene, a scene in a window of its own inside a form (or any window). Its passes
// (scene/CustomScenePaint.cpp) draw into an off-screen buffer through the GDI+ canvas,
// and what they drew goes to the screen: copied on the paint message, or, when the scene is
// layered, to the form with UpdateLayeredWindow after a pass on the scene's own redraw
// message, which one pass answers for all the damage reported before it.
//
// At a scale other than 1 (the DPI of the form's screen / 96) the window, its buffer and the
// layered picture are the scene's bounds times the scale, in pixels.
//
// The drawing side (the buffer, the GDI+ canvas and the pictures it decoded) exists while the
// scene is shown and for a while after: the monitor lives all day and shows its windows for
// seconds. A scene shown for the first time, or again after its drawing side went, draws all
// of itself before it shows; hidden for its release delay (30 s unless set), it lets the
// drawing side go, on a one-shot timer of the scene clock. The objects stay as they are.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/Event.h"
#include "platform/win32/Window.h"
#include "scene/Clock.h"
#include "scene/CustomScene.h"
#include "scene/win32/GdiPlusCanvas.h"

namespace vd::win32 {

// The scene's redraw message, posted to its own window for every damage report.
constexpr UINT WM_SCENE_REDRAW = WM_USER + 123;

class TvgScene : public TvgCustomScene, private TWindowBase {
public:
  explicit TvgScene(TComponent* AOwner);
  ~TvgScene() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Creates the scene's window in `parent` (once): the buffer, the root's layout, and all of
  // the scene damaged. When the scene is layered (see above), the form gets the layered style
  // here and only here.
  void CreateWindowIn(HWND parent);
  HWND Handle() const { return TWindowBase::Handle(); }

  // How long the drawing side outlives a hide, in milliseconds.
  static constexpr std::uint32_t kReleaseDelayMs = 30000;
  // The form calls Showing before it shows its window, and Hidden after it has hidden it.
  void Showing();
  void Hidden();
  // The canvas, or none while there is no drawing side.
  TvgGdiPlusCanvas* Canvas() { return FCanvas.get(); }

  // Damages the whole scene and draws it now, making the drawing side first if need be.
  void UpdateBuffer();
  // Hands the buffer to the layered form now.
  void UpdateLayerPublic();

  void Loaded() override;

protected:
  // Moves the window; a new size in pixels rebuilds the buffer and lays the root out again.
  void BoundsChanged(bool resized) override;

private:
  // How the scene's objects reach the window (a member of its own: its AddUpdateRect is
  // not the scene's).
  class THost : public IvgSceneHost {
  public:
    explicit THost(TvgScene& scene) : FScene(scene) {}
    void AddUpdateRect(const TvgRect& rect) override { FScene.CollectDamage(rect); }
    void SetCapture() override;
    void ReleaseCapture() override;
    void TakeFocus() override;
    void SetCursor(TvgCursor cursor) override;
    bool ParentIsForm() override { return FScene.ParentIsForm(); }
    std::int32_t FormTag() override;
    TvgPixelRect FormBounds() override;
    void SetFormBounds(const TvgPixelRect& bounds) override;
    // No form of this program runs modally.
    void SetModalResult(std::int32_t) override {}

  private:
    TvgScene& FScene;
  };

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Mouse messages to the scene's mouse input; false for other messages.
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  // The mouse was taken away from the window (MouseCaptureLost).
  void LoseMouse();
  // Damage waits for the redraw message, or becomes part of the window's invalid region.
  void CollectDamage(const TvgRect& rect);
  // One drawing pass over the pending rectangles, then what it drew to the flush handler, the
  // layered form, or `target`.
  void DrawPass(HDC target);
  void Paint(PAINTSTRUCT& paint);
  // Makes the drawing side when it is not there: the canvas with a buffer of the scene's size.
  void OpenDrawing();
  HWND Form() const;
  bool ParentIsForm() const;
  void RealignRoot();

  THost FHost{*this};
  std::unique_ptr<TvgGdiPlusCanvas> FCanvas;
  std::unique_ptr<IvgTimer> FReleaseTimer;  // goes before the canvas it releases
  HCURSOR FCursor = nullptr;
  bool FTrackingLeave = false;
};

}  // namespace vd::win32
