#pragma once
// The spacing and position objects of visual objects. TvgBounds (margins, padding, picture
// margins) is stored as the text property Rect, "(left,top,right,bottom)"; TvgPosition as
// Point, "(x,y)"; a text with a number that is not finite is refused. Each is written only
// when it differs from the default its owner gave it, and tells its owner of every change.

#include <functional>
#include <string>

#include "core/ClassInfo.h"
#include "scene/paint/Geometry.h"

namespace vd {

class TvgBounds : public TPersistent {
public:
  explicit TvgBounds(const TvgRect& defaultValue = {});
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  float Left() const { return FLeft; }
  float Top() const { return FTop; }
  float Right() const { return FRight; }
  float Bottom() const { return FBottom; }
  void SetLeft(float value) { SetRect({value, FTop, FRight, FBottom}); }
  void SetTop(float value) { SetRect({FLeft, value, FRight, FBottom}); }
  void SetRight(float value) { SetRect({FLeft, FTop, value, FBottom}); }
  void SetBottom(float value) { SetRect({FLeft, FTop, FRight, value}); }
  TvgRect Rect() const { return {FLeft, FTop, FRight, FBottom}; }
  void SetRect(const TvgRect& value);
  // R shrunk by the bounds: (left + Left, top + Top, right - Right, bottom - Bottom).
  TvgRect MarginRect(const TvgRect& R) const;

  // The stored text; text that is not four numbers in parentheses raises EReadError.
  std::u16string RectText() const;
  void SetRectText(const std::u16string& text);

  std::function<void()> OnChange;

private:
  bool IsRectStored() const { return Rect() != FDefaultValue; }

  float FRight = 0;
  float FBottom = 0;
  float FTop = 0;
  float FLeft = 0;
  TvgRect FDefaultValue;
};

class TvgPosition : public TPersistent {
public:
  explicit TvgPosition(TvgPoint defaultValue = {});
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  float X() const { return FX; }
  float Y() const { return FY; }
  void SetX(float value) { SetPoint({value, FY}); }
  void SetY(float value) { SetPoint({FX, value}); }
  TvgPoint Point() const { return {FX, FY}; }
  void SetPoint(TvgPoint value);
  // Sets the position without telling the owner (layout writes positions directly).
  void SetPointQuietly(TvgPoint value);

  std::u16string PointText() const;
  void SetPointText(const std::u16string& text);

  std::function<void()> OnChange;

private:
  bool IsPointStored() const { return Point() != FDefaultValue; }

  float FY = 0;
  float FX = 0;
  TvgPoint FDefaultValue;
};

}  // namespace vd
