#pragma once
// TvgScene, a scene in a window of its own inside a form (or any window). It draws its
// objects into an off-screen buffer through the GDI+ canvas and copies what changed to the
// screen: damage is collected, and one drawing pass handles all that came in before it.
// With Transparency on, outside design mode and inside a form, the scene makes the form a
// per-pixel transparent layered window instead, whose every pixel takes the opacity the scene
// drew; then damage is drawn on the scene's own redraw message, and the buffer goes to the
// form with UpdateLayeredWindow.

#include <windows.h>

#include <vector>

#include "core/Event.h"
#include "platform/win32/Window.h"
#include "scene/tree/CustomScene.h"
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

  // Bounds in the parent window's client pixels.
  int Left() const { return FLeft; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  // Moves the window; a new size rebuilds the buffer and lays the root out again.
  void SetBounds(int left, int top, int width, int height);

  // Creates the scene's window in `parent` (once): the buffer, the root's layout, and all of
  // the scene damaged. When the scene is layered (see above), the form gets the layered style
  // here and only here.
  void CreateWindowIn(HWND parent);
  HWND Handle() const { return TWindowBase::Handle(); }
  TvgGdiPlusCanvas& Canvas() { return FCanvas; }

  // Damages the whole scene and draws it now.
  void UpdateBuffer();
  // Hands the buffer to the layered form now.
  void UpdateLayerPublic();

  // When assigned, it is called after each drawing pass instead of the copy to the screen,
  // and damage is always drawn on the redraw message.
  TNotifyEvent OnFlush;

  void Loaded() override;

private:
  // How the scene's objects reach the window (a member of its own: its AddUpdateRect is
  // not the scene's).
  class THost : public IvgSceneHost {
  public:
    explicit THost(TvgScene& scene) : FScene(scene) {}
    void AddUpdateRect(const TvgRect& rect) override { FScene.CollectDamage(rect); }
    void UpdateBuffer() override { FScene.UpdateBuffer(); }
    void SetCapture() override;
    void ReleaseCapture() override;
    void TakeFocus() override;
    void SetCursor(TvgCursor cursor) override;
    bool ParentIsForm() override { return FScene.ParentIsForm(); }
    std::int32_t FormTag() override;
    TvgWindowBounds FormBounds() override;
    void SetFormBounds(const TvgWindowBounds& bounds) override;
    // No form of this program runs modally.
    void SetModalResult(std::int32_t) override {}
    bool IsDesigning() override { return FScene.IsDesigning(); }

  private:
    TvgScene& FScene;
  };

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Mouse messages to the scene's mouse input; false for other messages.
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void CollectDamage(const TvgRect& rect);
  // One drawing pass over the pending rectangles; copies to `target` where the scene is not
  // layered.
  void DrawPass(HDC target);
  void PaintBackground(const std::vector<RECT>& rects);
  void Paint(PAINTSTRUCT& paint);
  HWND Form() const;
  bool ParentIsForm() const;
  // Transparency on, outside design mode, inside a form.
  bool Layered() const;
  void RealignRoot();

  THost FHost{*this};
  TvgGdiPlusCanvas FCanvas;
  std::vector<RECT> FUpdateRects;
  bool FDrawing = false;
  HCURSOR FCursor = nullptr;
  bool FTrackingLeave = false;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 100;
  int FHeight = 100;
};

}  // namespace vd::win32
