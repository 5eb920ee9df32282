#pragma once
// TvgCustomScene, the portable half of a scene: the component that holds the root objects
// (the first is the root), names the style set its controls search first (Style), keeps
// Transparency and the background Fill for its window (scene/win32), which it reaches
// through IvgSceneHost, and hands the window's mouse input to its objects. Every scene
// takes part in the language switch: while it lives, RefreshLanguageScenes has it apply its
// controls' styles again.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Component.h"
#include "lang/Translation.h"
#include "scene/paint/Brush.h"
#include "scene/MouseInput.h"
#include "scene/SceneHost.h"
#include "scene/tree/SceneInterface.h"
#include "scene/tree/VgObject.h"

namespace vd {

class TvgResources;

class TvgCustomScene : public TComponent, public IvgScene, public IvgLanguageScene, public IvgFreeNotify {
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

  // --- Mouse input (scene/tree/CustomSceneMouse.cpp), positions in the window's pixels ---
  // A press goes to the object under the mouse; a press on no object drags the window
  // (EnableDrag). A move drags or resizes the window while that runs, else goes to the
  // object that holds the capture or to the object under the mouse, which becomes the
  // hovered one. A release ends a drag and goes to the captured object or the one under
  // the mouse. The wheel goes to the captured object, or to the object under the mouse and
  // then its parents until one takes it (the answer). In design mode nothing happens.
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y);
  void MouseMove(TShiftState shift, float x, float y);
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y);
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

  // Has every control under the root objects apply its style again.
  void UpdateResource() override;

  // IvgScene
  TComponent* GetComponent() override { return this; }
  TvgObject* GetRoot() override { return FChildren.empty() ? nullptr : FChildren.front(); }
  TvgObject* GetStyleRoot() override;
  bool GetDesignTime() override { return IsDesigning(); }
  bool GetTransparency() override { return FTransparency; }
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

private:
  // Points a field at an object, joining its notify list, and leaves the notify list of
  // the previous one when no field holds it any more.
  void Hold(TvgVisualObject*& field, TvgVisualObject* object);
  void EndWindowDrag();

  std::vector<TvgObject*> FChildren;
  TvgResources* FStyle = nullptr;
  bool FTransparency = false;
  std::unique_ptr<TvgBrush> FFill;
  IvgSceneHost* FHost = nullptr;
  bool FDisableUpdate = false;
  TvgVisualObject* FCaptured = nullptr;
  TvgVisualObject* FHovered = nullptr;
  TvgVisualObject* FFocused = nullptr;
  TvgPoint FMousePos;
  // The last press; while the window is resized, the last mouse position.
  TvgPoint FDownPos;
  // The form's size while it is resized.
  int FResizeWidth = 0;
  int FResizeHeight = 0;
  bool FDragging = false;
  bool FResizing = false;
  bool FEnableDrag = true;
  std::u16string FHint;
};

}  // namespace vd
