#pragma once
// The scene's link to the window that shows it (scene/win32 implements it; tests stand in
// for it): where damage goes, the mouse capture, and the owning form that a window drag
// moves. Positions are pixels; the form's bounds are in screen pixels.

#include "scene/Geometry.h"

namespace vd {

struct TvgWindowBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TvgWindowBounds&) const = default;
};

class IvgSceneHost {
public:
  // Damage in scene pixels: the window draws at least that rectangle again soon.
  virtual void AddUpdateRect(const TvgRect& rect) = 0;
  // Draws the whole scene now.
  virtual void UpdateBuffer() = 0;

  // All mouse input goes to the scene's window until the capture is released.
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;

  // The form that holds the scene's window: whether there is one (a scene with Transparency
  // turns only a form into a per-pixel transparent window), its bounds, moving or sizing
  // it, and the cursor in its client pixels.
  virtual bool ParentIsForm() = 0;
  virtual TvgWindowBounds FormBounds() = 0;
  virtual void SetFormBounds(const TvgWindowBounds& bounds) = 0;
  virtual TvgPoint CursorPosInForm() = 0;

  // Whether the window is being edited in a designer.
  virtual bool IsDesigning() = 0;

protected:
  ~IvgSceneHost() = default;
};

}  // namespace vd
