#pragma once
// What the scene's window tells the scene about the mouse, and what the scene asks of the
// window back: the button of a press or release, the keys and buttons held (with the flag
// of a double click's second press), and the cursor shape over an object.

#include <string>
#include <vector>

namespace vd {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A bit set. A move made with the left button held carries ssLeft; the second press of a
// double click carries ssDouble.
enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// Stored by these value names (Cursor = crHandPoint).
enum TvgCursor { crDefault, crArrow, crHandPoint, crIBeam, crSizeNWSE };
std::vector<std::u16string> CursorNames();

// Marks an object that resizes the window when pressed (a size grip) instead of taking the
// press itself.
class IvgSizeGrip {
protected:
  ~IvgSizeGrip() = default;
};

}  // namespace vd
