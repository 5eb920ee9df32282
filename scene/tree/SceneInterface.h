#pragma once
// What a scene object knows of the scene it is in (every object of a tree shares its
// root's scene): where it reports damage, mouse capture and focus, where its controls find
// the scene's style set, and the scene's state that painting and styling depend on. A style
// set reaches the scenes that use it the same way. The scene itself (scene/CustomScene.h)
// stands above every layer of the toolkit.

#include <cstdint>

#include "scene/paint/Geometry.h"

// The Windows headers make UpdateResource a macro for a function of their own; this
// operation keeps its name wherever they were included first.
#ifdef UpdateResource
#undef UpdateResource
#endif

namespace vd {

class TComponent;
class TvgObject;
class TvgVisualObject;

class IvgScene {
public:
  // The scene as a component: the parent component of its root objects in stored forms.
  virtual TComponent* GetComponent() = 0;
  // The first root object, or none.
  virtual TvgObject* GetRoot() = 0;
  // The root of the style set named by the scene's Style, or none.
  virtual TvgObject* GetStyleRoot() = 0;
  virtual bool GetDesignTime() = 0;
  virtual bool GetTransparency() = 0;
  // Has every control under the root objects apply its style again.
  virtual void UpdateResource() = 0;

  // Damage, in scene pixels.
  virtual void AddUpdateRect(const TvgRect& rect) = 0;
  // While set, damage is ignored.
  virtual bool GetDisableUpdate() = 0;
  virtual void SetDisableUpdate(bool value) = 0;

  // The object that receives all mouse input while it holds the capture, or none.
  virtual TvgVisualObject* GetCaptured() = 0;
  virtual void SetCaptured(TvgVisualObject* object) = 0;
  // The object with the keyboard focus, or none; setting it tells the previous one that it
  // lost the focus and the new one that it has it.
  virtual TvgVisualObject* GetFocused() = 0;
  virtual void SetFocused(TvgVisualObject* object) = 0;

  // Ends the modal run of the form that holds the scene with that result.
  virtual void SetModalResult(std::int32_t result) = 0;

  // An object joins the scene as its last root object (leaving its parent), or leaves it.
  virtual void AddObject(TvgObject* object) = 0;
  virtual void RemoveObject(TvgObject* object) = 0;

protected:
  ~IvgScene() = default;
};

}  // namespace vd
