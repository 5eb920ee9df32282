#pragma once
// Pictures of the screen for the end-to-end tests and the demo: a part of the screen as it
// shows, read through the screen's device context, and written as a PNG file.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vd::e2e {

struct TScreenshot {
  int Width = 0;
  int Height = 0;
  // Rows top to bottom, each pixel 0x00RRGGBB.
  std::vector<std::uint32_t> Pixels;

  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The part of the screen in `area` (screen pixels); empty when it cannot be read.
TScreenshot CaptureScreen(const RECT& area);
TScreenshot CaptureWholeScreen();

// Writes the picture as an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const TScreenshot& picture, const std::wstring& path);

}  // namespace vd::e2e
