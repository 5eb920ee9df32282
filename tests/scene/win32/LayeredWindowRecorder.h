#pragma once
// Stands in for UpdateLayeredWindow while it lives: counts the calls and keeps what the last
// one was given, the source's pixels included.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "scene/win32/LayeredWindow.h"

namespace vd::win32::test {

class TLayeredWindowRecorder {
public:
  TLayeredWindowRecorder() : FReplaced(ReplaceUpdateLayeredWindowFunction(&Record)) { Last() = {}; }
  ~TLayeredWindowRecorder() { ReplaceUpdateLayeredWindowFunction(FReplaced); }
  TLayeredWindowRecorder(const TLayeredWindowRecorder&) = delete;
  TLayeredWindowRecorder& operator=(const TLayeredWindowRecorder&) = delete;

  struct TCall {
    int Count = 0;
    HWND Window = nullptr;
    POINT Position{};
    SIZE Size{};
    HDC Source = nullptr;
    BLENDFUNCTION Blend{};
    DWORD Flags = 0;
    // The source bitmap's pixels (top-down, 0xAARRGGBB), when it is a 32-bit DIB section.
    std::vector<std::uint32_t> Pixels;
    int Width = 0;
  };
  static TCall& Last() {
    static TCall call;
    return call;
  }

private:
  static BOOL WINAPI Record(HWND window, HDC, POINT* position, SIZE* size, HDC source, POINT*, COLORREF,
                            BLENDFUNCTION* blend, DWORD flags) {
    TCall& call = Last();
    call = {call.Count + 1, window, *position, *size, source, *blend, flags, {}, 0};
    DIBSECTION dib{};
    if (GetObjectW(GetCurrentObject(source, OBJ_BITMAP), sizeof dib, &dib) == sizeof dib &&
        dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits) {
      GdiFlush();
      const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
      call.Width = dib.dsBm.bmWidth;
      call.Pixels.assign(bits, bits + static_cast<std::size_t>(dib.dsBm.bmWidth) * dib.dsBm.bmHeight);
    }
    return TRUE;
  }
  TUpdateLayeredWindow FReplaced;
};

}  // namespace vd::win32::test
