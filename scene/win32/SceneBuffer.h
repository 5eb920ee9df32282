#pragma once
// The scene's off-screen picture: a top-down 32-bit device-independent bitmap selected into a
// memory device context. Its pixels are premultiplied ARGB (blue, green, red, alpha in
// memory), as a layered window takes them.

#include <windows.h>

#include <cstdint>

#include "platform/win32/Handles.h"

namespace vd::win32 {

class TvgSceneBuffer {
public:
  TvgSceneBuffer() = default;
  // The device context and pixels are handed out to drawing code; they stay where they are.
  TvgSceneBuffer(const TvgSceneBuffer&) = delete;
  TvgSceneBuffer& operator=(const TvgSceneBuffer&) = delete;

  // Nothing for an unchanged size; otherwise frees the buffer and builds one of the new size
  // (at least 1 × 1), all pixels transparent. Raises "Can't allocate the DIB handle", "Can't
  // create compatible DC" or "Can't select an object into DC", keeping nothing of the new.
  void Resize(int width, int height);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // None before the first Resize.
  HDC DC() const { return FDC.Get(); }
  std::uint32_t* Bits() const { return FBits; }
  // Rows of pixels follow each other without gaps.
  int Stride() const { return FWidth * 4; }

  // Sets the pixels of the rectangle (clipped to the buffer) to the premultiplied colour.
  void Clear(const RECT& rect, std::uint32_t premultipliedArgb);
  // Copies the rectangle to the same place of another device context.
  void CopyTo(HDC target, const RECT& rect) const;

private:
  // Declared in the order of building; freed the other way round: the bitmap is selected out
  // of the device context before either goes.
  TUniqueBitmap FBitmap;
  TUniqueDC FDC;
  TSelection FSelection;
  std::uint32_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace vd::win32
