#include "tests/e2e/Screenshot.h"

#include <algorithm>
#include <array>

#include "platform/win32/Handles.h"

namespace vd::e2e {

using win32::TSelection;
using win32::TUniqueBitmap;
using win32::TUniqueDC;
using win32::TWindowDC;

TScreenshot CaptureScreen(const RECT& area) {
  TScreenshot picture;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const TUniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const TUniqueDC memory(CreateCompatibleDC(nullptr));
  if (!bitmap || !bits || !memory) return picture;
  {
    const TSelection selection(memory.Get(), bitmap.Get());
    const TWindowDC screen(nullptr);
    if (!selection || !BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY))
      return picture;
  }
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  picture.Width = width;
  picture.Height = height;
  picture.Pixels.reserve(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
    picture.Pixels.push_back(pixels[i] & 0xFFFFFF);
  return picture;
}

TScreenshot CaptureWholeScreen() {
  return CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// The scanlines as a zlib stream of stored (uncompressed) blocks.
std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(length));
    out.push_back(static_cast<std::uint8_t>(length >> 8));
    out.push_back(static_cast<std::uint8_t>(~length));
    out.push_back(static_cast<std::uint8_t>(~length >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < raw.size());
  PutBigEndian(out, b << 16 | a);
  return out;
}

}  // namespace

bool WritePng(const TScreenshot& picture, const std::wstring& path) {
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(picture.Width));
  PutBigEndian(header, static_cast<std::uint32_t>(picture.Height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(picture.Height) * (1 + 3 * picture.Width));
  for (int y = 0; y < picture.Height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < picture.Width; ++x) {
      const std::uint32_t pixel = picture.At(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                             static_cast<std::uint8_t>(pixel)});
    }
  }
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", ZlibStored(raw));
  PutChunk(png, "IEND", {});
  const win32::TUniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.Get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
         written == png.size();
}

}  // namespace vd::e2e
