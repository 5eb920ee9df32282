#pragma once
// TvgCustomScene, the portable half of a scene: the component that holds the root objects
// (the first is the root), names the style set its controls search first (Style), and
// keeps Transparency and the background Fill for its window (scene/win32), which it
// reaches through IvgSceneHost. Every scene takes part in the language switch: while it
// lives, RefreshLanguageScenes has it apply its controls' styles again.

#include <memory>
#include <vector>

#include "core/Component.h"
#include "lang/Translation.h"
#include "scene/Brush.h"
#include "scene/SceneHost.h"
#include "scene/SceneInterface.h"

namespace vd {

class TvgResources;

class TvgCustomScene : public TComponent, public IvgScene, public IvgLanguageScene {
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
  void AddObject(TvgObject* object) override;
  void RemoveObject(TvgObject* object) override;
  void ObjectDestroyed(TvgObject* object) override;

  // The stored root objects are written nested in the scene.
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::vector<TvgObject*> FChildren;
  TvgResources* FStyle = nullptr;
  bool FTransparency = false;
  std::unique_ptr<TvgBrush> FFill;
  IvgSceneHost* FHost = nullptr;
  bool FDisableUpdate = false;
  TvgVisualObject* FCaptured = nullptr;
};

}  // namespace vd
