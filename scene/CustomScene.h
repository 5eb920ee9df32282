#pragma once
// TvgCustomScene, the portable half of a scene: the component that holds the root objects
// (the first is the root), names the style set its controls search first (Style), draws
// them on a canvas in passes over the damaged pixels, and hands the window's mouse input to
// its objects. It reaches its window (scene/win32) through IvgSceneHost. Every live scene
// takes part in a change of language: UpdateAllScenes has it apply its controls' styles
// again.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/Event.h"
#include "scene/Canvas.h"
#include "scene/MouseInput.h"
#include "scene/SceneHost.h"
#include "scene/paint/Brush.h"
#include "scene/tree/SceneInterface.h"
#include "scene/tree/VgObject.h"

namespace vd {

class TvgResources;

class TvgCustomScene : public TComponent, public IvgScene, public IvgFreeNotify {
public:
  explicit TvgCustomScene(TComponent* AOwner);
  ~TvgCustomScene() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  int Count() const { return static_cast<int>(FChildren.size()); }
  // Raises "Range check error" outside 0 .. Count() - 1.
  TvgObject* Children(int index) const;

  TvgResources* Style() const { return FStyle; }
  // Leaves the previous style set's scenes, joins the new one's, and applies the styles again.
  void SetStyle(TvgResources* value);
  bool Transparency() const { return FTransparency; }
  // A change damages the whole scene.
  void SetTransparency(bool value);
  // The background brush: no style, white.
  TvgBrush* Fill() const { return FFill.get(); }

  void SetHost(IvgSceneHost* host) { FHost = host; }

  // Bounds in the units of the form (the parent window's client pixels at scale 1); the size
  // is the size of the drawing.
  int Left() const { return FLeft; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  void SetBounds(int left, int top, int width, int height);

  // The scale the scene is drawn at on its screen (scene/paint/Scale.h): its window's pixels
  // to one unit of its form, 1 unless set. Layout stays in the form's units; the window, its
  // drawing, damage in pixels and mouse positions are the window's pixels. A new scale damages
  // the whole scene, and a drag that runs keeps the same point of the scene under the mouse.
  // Only a positive finite scale is taken.
  float Scale() const { return FScale; }
  void SetScale(float value);
  // The bounds in the parent window's pixels: the units times the scale, rounded.
  TvgPixelRect PixelBounds() const;

  // --- Drawing (scene/CustomScenePaint.cpp) ---
  // When assigned, it is called after each drawing pass instead of the copy to the screen.
  TNotifyEvent OnFlush;
  // Transparency on, outside design mode, in a form: the form becomes a per-pixel
  // transparent window that shows what the passes drew.
  bool Layered() const;
  // Whether damage waits for a pass that the scene's window runs on request (the scene is
  // layered or its passes go to OnFlush), rather than for the window's paint message.
  bool DrawsOnRequest() const { return OnFlush.Assigned() || Layered(); }
  // Damage (in the scene's units) in the window's pixels, widened to whole ones (the left and
  // top edges truncated, the right and bottom ones truncated plus one), then cut to the
  // scene; none when nothing of it remains.
  std::optional<TvgPixelRect> DamageInPixels(const TvgRect& rect) const;
  // A rectangle that the next pass draws.
  void AddPendingRect(const TvgPixelRect& rect);
  bool Drawing() const { return FDrawing; }
  // One drawing pass over the pending rectangles, none while a pass runs: more than 20 are
  // drawn as their union; the background is cleared or filled (see below), then each visible
  // root object that meets a rectangle paints itself. Answers the rectangles it drew (none
  // when no pass ran). The pass takes the pending list as it starts: what is reported while
  // it runs is pending for the next one. When the canvas cannot begin, the rectangles are
  // still answered, undrawn. At a scale other than 1 the objects draw through a scaled canvas
  // (scene/ScaledCanvas.h); the pending rectangles are the canvas's pixels either way.
  std::vector<TvgPixelRect> PaintScene(IvgCanvas& canvas);

  // --- Mouse input (scene/CustomSceneMouse.cpp), positions in the window's pixels, which
  // the scene divides by its scale to find its objects ---
  // A press goes to the object under the mouse; a press on no object drags the window
  // (EnableDrag). A move drags or resizes the window while that runs, else goes to the
  // object that holds the capture or to the object under the mouse, which becomes the
  // hovered one. A release ends a drag and goes to the captured object or the one under
  // the mouse. The wheel goes to the captured object, or to the object under the mouse and
  // then its parents until one takes it (the answer). In design mode nothing happens.
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y);
  void MouseMove(TShiftState shift, float x, float y);
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y);
  // The mouse left the window: a move to (-1, -1), so that no object stays hovered, which
  // leaves the cursor to the window the mouse is over now; nothing in a window drag.
  void MouseLeave();
  // The mouse was taken away from the scene before its button was released (the window lost
  // the capture to another window, was told to cancel its modes, or lost the activation in
  // a drag or a press): a window drag or resize ends, the captured object's press ends
  // without a click (a repeating button stops), the capture is released and no object stays
  // hovered; the cursor is left as it is. Nothing happens while the scene holds no capture.
  void MouseCaptureLost();
  // Whether a window drag, or a resize by a size grip, is running.
  bool MovingWindow() const { return FDragging || FResizing; }
  bool DoMouseWheel(TShiftState shift, int delta, float x, float y);
  // From now until the release, the mouse moves the form (not a form tagged 65535) or
  // resizes it, from the last mouse position.
  void BeginDrag();
  void BeginResize();
  // The topmost object at a point that takes the mouse: the root objects are asked from the
  // last to the first, and the first that is not visual ends the search.
  TvgVisualObject* ObjectAtPoint(float x, float y) const;
  // Whether a press on no object drags the window.
  bool EnableDrag() const { return FEnableDrag; }
  void SetEnableDrag(bool value) { FEnableDrag = value; }
  TvgVisualObject* Hovered() const { return FHovered; }
  // The hint of the object under the mouse, when it shows one.
  const std::u16string& Hint() const { return FHint; }

  // IvgScene
  TComponent* GetComponent() override { return this; }
  TvgObject* GetRoot() override { return FChildren.empty() ? nullptr : FChildren.front(); }
  TvgObject* GetStyleRoot() override;
  bool GetDesignTime() override { return IsDesigning(); }
  bool GetTransparency() override { return FTransparency; }
  void UpdateResource() override;
  // Passed to the host, except while loading, destroying or suppressed.
  void AddUpdateRect(const TvgRect& rect) override;
  bool GetDisableUpdate() override { return FDisableUpdate; }
  void SetDisableUpdate(bool value) override { FDisableUpdate = value; }
  TvgVisualObject* GetCaptured() override { return FCaptured; }
  // Takes or releases the host's mouse capture with it.
  void SetCaptured(TvgVisualObject* object) override;
  TvgVisualObject* GetFocused() override { return FFocused; }
  void SetFocused(TvgVisualObject* object) override;
  void SetModalResult(std::int32_t result) override;
  void AddObject(TvgObject* object) override;
  void RemoveObject(TvgObject* object) override;

  // The stored root objects are written nested in the scene.
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // An object that the scene holds as hovered, captured or focused goes away.
  void FreeNotification(TvgObject* AObject) override;
  using TComponent::FreeNotification;

  // Told after the bounds or the scale changed, whether or not the size in pixels did.
  virtual void BoundsChanged(bool /*resized*/) {}

private:
  // The background of a pass: with a fill of no style or a solid one of alpha 0, each
  // rectangle is cleared, to transparent in a transparent scene and to the fill's colour
  // otherwise; any other fill paints the whole scene.
  void PaintBackground(IvgCanvas& canvas, const std::vector<TvgPixelRect>& rects);
  // A move that is no window drag: to the captured object, or the object under the mouse
  // becomes the hovered one. Answers the cursor over it, none when an object holds the capture.
  std::optional<TvgCursor> FollowMouse(TShiftState shift, float x, float y);
  // Points a field at an object, joining its notify list, and leaves the notify list of
  // the previous one when no field holds it any more.
  void Hold(TvgVisualObject*& field, TvgVisualObject* object);
  void EndWindowDrag();

  std::vector<TvgObject*> FChildren;
  TvgResources* FStyle = nullptr;
  bool FTransparency = false;
  std::unique_ptr<TvgBrush> FFill;
  IvgSceneHost* FHost = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 100;
  int FHeight = 100;
  float FScale = 1;
  std::vector<TvgPixelRect> FUpdateRects;
  bool FDrawing = false;
  bool FDisableUpdate = false;
  TvgVisualObject* FCaptured = nullptr;
  TvgVisualObject* FHovered = nullptr;
  TvgVisualObject* FFocused = nullptr;
  // In the window's pixels: the last mouse position,
  TvgPoint FMousePos;
  // the last press; while the window is resized, the last mouse position.
  TvgPoint FDownPos;
  // The form's size while it is resized.
  int FResizeWidth = 0;
  int FResizeHeight = 0;
  bool FDragging = false;
  bool FResizing = false;
  bool FEnableDrag = true;
  std::u16string FHint;
};

// Every live scene, oldest first, has its controls apply their styles again, upon which
// those that translate their texts look them up anew: the program runs it when the language
// changes. A scene that goes meanwhile is passed over.
void UpdateAllScenes();

}  // namespace vd
