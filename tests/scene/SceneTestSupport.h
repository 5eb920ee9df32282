#pragma once
// Helpers shared by the scene tests: objects read from text forms, a stand-in for the
// scene's window, a canvas that records what is drawn, and PNG
// data of a given size.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Canvas.h"
#include "scene/ManualClock.h"
#include "scene/SceneHost.h"
#include "scene/paint/Bitmap.h"
#include "scene/tree/VgObject.h"
#include "streams/MemoryStream.h"

namespace vd::scene_test {

inline TMemoryStream TextStream(std::string_view text) {
  return TMemoryStream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A new object read from a text form (fails the test when it yields none).
template <class T = TvgObject>
std::unique_ptr<T> Load(std::string_view text) {
  TMemoryStream stream = TextStream(text);
  std::unique_ptr<TvgObject> object(CreateObjectFromStream(nullptr, stream));
  T* typed = dynamic_cast<T*>(object.get());
  if (!typed) throw std::runtime_error("the text form yields no object of the class");
  object.release();
  return std::unique_ptr<T>(typed);
}

class TStandInHost : public IvgSceneHost {
public:
  void AddUpdateRect(const TvgRect& rect) override { FDamage.push_back(rect); }
  void SetCapture() override { FCaptured = true; }
  void ReleaseCapture() override { FCaptured = false; }
  void TakeFocus() override { ++FFocusTaken; }
  void SetCursor(TvgCursor cursor) override { FCursor = cursor; }
  bool ParentIsForm() override { return true; }
  std::int32_t FormTag() override { return FTag; }
  TvgPixelRect FormBounds() override { return FBounds; }
  void SetFormBounds(const TvgPixelRect& bounds) override { FBounds = bounds; }
  void SetModalResult(std::int32_t result) override { FModalResult = result; }

  std::vector<TvgRect> FDamage;
  bool FCaptured = false;
  int FFocusTaken = 0;
  TvgCursor FCursor = crDefault;
  std::int32_t FTag = 0;
  TvgPixelRect FBounds;
  std::int32_t FModalResult = 0;
};

using TManualClock = TvgManualClock;

// Records each call as a line ("bitmap (0,0,70,30) -> (4,0,74,30)", "clip (0,0,77,31)",
// "clear (0,0,3,2) #00000000"), the colour of each fill, which picture each drawing took,
// with what opacity, and the matrix set last.
class TRecordingCanvas : public IvgCanvas {
public:
  struct TBitmapDraw {
    const TvgBitmap* Bitmap;
    float Opacity;
  };

  static std::string Text(const TvgRect& r) {
    char text[96];
    std::snprintf(text, sizeof text, "(%g,%g,%g,%g)", r.Left, r.Top, r.Right, r.Bottom);
    return text;
  }
  // The calls, separated by "; ".
  std::string Calls() const {
    std::string out;
    for (const std::string& call : FCalls) out += (out.empty() ? "" : "; ") + call;
    return out;
  }

  static std::string Text(const TvgPixelRect& r) {
    return Text(TvgRect{static_cast<float>(r.Left), static_cast<float>(r.Top), static_cast<float>(r.Right),
                        static_cast<float>(r.Bottom)});
  }

  bool BeginScene() override {
    FCalls.push_back("begin");
    return FCanBegin;
  }
  void EndScene() override { FCalls.push_back("end"); }
  void ClipToRects(std::span<const TvgPixelRect> rects) override {
    std::string call = "clip to";
    for (const TvgPixelRect& rect : rects) call += " " + Text(rect);
    FCalls.push_back(call);
  }
  void ClearRect(const TvgPixelRect& rect, TvgColor color) override {
    char details[16];
    std::snprintf(details, sizeof details, " #%08X", color);
    FCalls.push_back("clear " + Text(rect) + details);
  }
  void SetMatrix(const TvgMatrix& matrix) override { FMatrix = matrix; }
  void SaveState() override { FCalls.push_back("save"); }
  void RestoreState() override { FCalls.push_back("restore"); }
  void IntersectClipRect(const TvgRect& rect) override { FCalls.push_back("clip " + Text(rect)); }
  void FillRect(const TvgRect& rect, TvgColor color, float) override {
    FCalls.push_back("fill " + Text(rect));
    FFillColors.push_back(color);
  }
  void DrawRect(const TvgRect& rect, TvgColor color, float thickness, TvgStrokeDash dash, float) override {
    char details[64];
    std::snprintf(details, sizeof details, " #%08X %g%s", color, thickness, dash == vgDashDash ? " dashed" : "");
    FCalls.push_back("frame " + Text(rect) + details);
  }
  void DrawBitmap(const TvgBitmap& bitmap, const TvgRect& source, const TvgRect& destination, float opacity,
                  bool interpolate) override {
    FCalls.push_back("bitmap " + Text(source) + " -> " + Text(destination) + (interpolate ? "" : " nearest"));
    FBitmaps.push_back({&bitmap, opacity});
  }
  void FillText(const TvgRect& rect, std::u16string_view, const TvgTextFormat&, TvgColor, float) override {
    FCalls.push_back("text " + Text(rect));
  }

  bool FCanBegin = true;
  std::vector<std::string> FCalls;
  std::vector<TvgColor> FFillColors;
  std::vector<TBitmapDraw> FBitmaps;
  TvgMatrix FMatrix;
};

// The start of a PNG file as far as its size: signature and header chunk.
inline std::vector<std::uint8_t> PngOfSize(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (const std::uint32_t value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(value >> shift));
  return png;
}

}  // namespace vd::scene_test
