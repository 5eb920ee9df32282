#include "scene/layout/Bounds.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "base/Errors.h"

namespace vd {

namespace {

// The shortest text that reads back as the same single ("20", "20.5", "-0.1").
std::u16string FloatText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::u16string(buffer, result.ptr);
}

// "(a,b,...)" with exactly `count` numbers; blanks around them are allowed.
std::vector<float> ParseNumbers(const std::u16string& text, std::size_t count) {
  std::string narrow;
  for (const char16_t c : text) {
    if (c > 0x7F) throw EReadError(u"Invalid property value");
    if (c != u' ') narrow += static_cast<char>(c);
  }
  if (narrow.size() < 2 || narrow.front() != '(' || narrow.back() != ')') throw EReadError(u"Invalid property value");
  std::vector<float> numbers;
  const char* p = narrow.data() + 1;
  const char* end = narrow.data() + narrow.size() - 1;
  while (true) {
    float value = 0;
    const auto result = std::from_chars(p, end, value);
    // "nan" and "inf" read as numbers, which no bound may be.
    if (result.ec != std::errc() || !std::isfinite(value)) throw EReadError(u"Invalid property value");
    numbers.push_back(value);
    p = result.ptr;
    if (p == end) break;
    if (*p != ',') throw EReadError(u"Invalid property value");
    ++p;
  }
  if (numbers.size() != count) throw EReadError(u"Invalid property value");
  return numbers;
}

}  // namespace

TvgBounds::TvgBounds(const TvgRect& defaultValue)
    : FRight(defaultValue.Right),
      FBottom(defaultValue.Bottom),
      FTop(defaultValue.Top),
      FLeft(defaultValue.Left),
      FDefaultValue(defaultValue) {}

const TClassInfo& TvgBounds::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgBounds>(u"TvgBounds", TPersistent::StaticClassInfo())
                                     .String(u"Rect", &TvgBounds::RectText, &TvgBounds::SetRectText)
                                     .Stored(&TvgBounds::IsRectStored)
                                     .Float(u"Left", &TvgBounds::Left, &TvgBounds::SetLeft)
                                     .Stored(false)
                                     .Float(u"Top", &TvgBounds::Top, &TvgBounds::SetTop)
                                     .Stored(false)
                                     .Float(u"Right", &TvgBounds::Right, &TvgBounds::SetRight)
                                     .Stored(false)
                                     .Float(u"Bottom", &TvgBounds::Bottom, &TvgBounds::SetBottom)
                                     .Stored(false)
                                     .Build();
  return info;
}

void TvgBounds::SetRect(const TvgRect& value) {
  if (value == Rect()) return;
  FLeft = value.Left;
  FTop = value.Top;
  FRight = value.Right;
  FBottom = value.Bottom;
  if (OnChange) OnChange();
}

TvgRect TvgBounds::MarginRect(const TvgRect& R) const {
  return {R.Left + FLeft, R.Top + FTop, R.Right - FRight, R.Bottom - FBottom};
}

std::u16string TvgBounds::RectText() const {
  return u"(" + FloatText(FLeft) + u"," + FloatText(FTop) + u"," + FloatText(FRight) + u"," + FloatText(FBottom) + u")";
}

void TvgBounds::SetRectText(const std::u16string& text) {
  const std::vector<float> n = ParseNumbers(text, 4);
  SetRect({n[0], n[1], n[2], n[3]});
}

TvgPosition::TvgPosition(TvgPoint defaultValue) : FY(defaultValue.Y), FX(defaultValue.X), FDefaultValue(defaultValue) {}

const TClassInfo& TvgPosition::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgPosition>(u"TvgPosition", TPersistent::StaticClassInfo())
                                     .String(u"Point", &TvgPosition::PointText, &TvgPosition::SetPointText)
                                     .Stored(&TvgPosition::IsPointStored)
                                     .Float(u"X", &TvgPosition::X, &TvgPosition::SetX)
                                     .Stored(false)
                                     .Float(u"Y", &TvgPosition::Y, &TvgPosition::SetY)
                                     .Stored(false)
                                     .Build();
  return info;
}

void TvgPosition::SetPoint(TvgPoint value) {
  if (value == Point()) return;
  SetPointQuietly(value);
  if (OnChange) OnChange();
}

void TvgPosition::SetPointQuietly(TvgPoint value) {
  FX = value.X;
  FY = value.Y;
}

std::u16string TvgPosition::PointText() const { return u"(" + FloatText(FX) + u"," + FloatText(FY) + u")"; }

void TvgPosition::SetPointText(const std::u16string& text) {
  const std::vector<float> n = ParseNumbers(text, 2);
  SetPoint({n[0], n[1]});
}

}  // namespace vd
