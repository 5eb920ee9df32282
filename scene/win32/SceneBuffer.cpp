#include "scene/win32/SceneBuffer.h"

#include <algorithm>

#include "base/Errors.h"

namespace vd::win32 {

void TvgSceneBuffer::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (FDC && width == FWidth && height == FHeight) return;
  FSelection.Reset();
  FDC.Reset();
  FBitmap.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TUniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) throw Exception(u"Can't allocate the DIB handle");
  TUniqueDC dc(CreateCompatibleDC(nullptr));
  if (!dc) throw Exception(u"Can't create compatible DC");
  TSelection selection(dc.Get(), bitmap.Get());
  if (!selection) throw Exception(u"Can't select an object into DC");

  FBitmap = std::move(bitmap);
  FDC = std::move(dc);
  FSelection = std::move(selection);
  FBits = static_cast<std::uint32_t*>(bits);
  FWidth = width;
  FHeight = height;
}

void TvgSceneBuffer::Clear(const RECT& rect, std::uint32_t premultipliedArgb) {
  const int left = std::max<int>(rect.left, 0), right = std::min<int>(rect.right, FWidth);
  const int top = std::max<int>(rect.top, 0), bottom = std::min<int>(rect.bottom, FHeight);
  if (!FBits || left >= right || top >= bottom) return;
  // GDI may still be writing to the pixels.
  GdiFlush();
  for (int y = top; y < bottom; ++y) {
    std::uint32_t* row = FBits + static_cast<std::size_t>(y) * FWidth;
    std::fill(row + left, row + right, premultipliedArgb);
  }
}

void TvgSceneBuffer::CopyTo(HDC target, const RECT& rect) const {
  if (!FDC) return;
  BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FDC.Get(), rect.left, rect.top,
         SRCCOPY);
}

}  // namespace vd::win32
