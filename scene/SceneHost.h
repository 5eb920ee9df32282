#pragma once
// The scene's link to the window that shows it (scene/win32 implements it; tests stand in
// for it): where damage goes, the mouse capture, the keyboard focus and the cursor, and the
// owning form that a window drag moves. Positions are pixels; the form's bounds are in
// screen pixels.

#include <cstdint>

#include "scene/MouseInput.h"
#include "scene/paint/Geometry.h"

namespace vd {

class IvgSceneHost {
public:
  // Damage in scene pixels: the window draws at least that rectangle again soon.
  virtual void AddUpdateRect(const TvgRect& rect) = 0;

  // All mouse input goes to the scene's window until the capture is released.
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  // A press in the scene: its window takes the keyboard focus (a window that hands its
  // pictures to a flush handler instead of showing them does not).
  virtual void TakeFocus() = 0;
  // The mouse cursor over the scene's window from now on.
  virtual void SetCursor(TvgCursor cursor) = 0;

  // The form that holds the scene's window: whether there is one (a scene with Transparency
  // turns only a form into a per-pixel transparent window), its Tag (a form tagged 65535
  // is not dragged by its scene), its bounds, moving or sizing it, and ending its modal
  // run with a result (a form that is not shown modally ignores it).
  virtual bool ParentIsForm() = 0;
  virtual std::int32_t FormTag() = 0;
  virtual TvgPixelRect FormBounds() = 0;
  virtual void SetFormBounds(const TvgPixelRect& bounds) = 0;
  virtual void SetModalResult(std::int32_t result) = 0;

protected:
  ~IvgSceneHost() = default;
};

}  // namespace vd
