#include "harness/win32/Screenshot.h"

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

// Bits written least significant first, as deflate packs them.
class TBitWriter {
public:
  explicit TBitWriter(std::vector<std::uint8_t>& out) : FOut(out) {}
  void Put(std::uint32_t value, int count) {
    FBits |= static_cast<std::uint64_t>(value) << FCount;
    FCount += count;
    while (FCount >= 8) {
      FOut.push_back(static_cast<std::uint8_t>(FBits));
      FBits >>= 8;
      FCount -= 8;
    }
  }
  // A Huffman code goes most significant bit first.
  void PutCode(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= (code >> i & 1) << (length - 1 - i);
    Put(reversed, length);
  }
  void Flush() {
    if (FCount > 0) Put(0, 8 - FCount);
  }

private:
  std::vector<std::uint8_t>& FOut;
  std::uint64_t FBits = 0;
  int FCount = 0;
};

// A symbol of the literal/length alphabet in deflate's fixed Huffman code.
void PutSymbol(TBitWriter& bits, int symbol) {
  if (symbol < 144)
    bits.PutCode(0x30 + symbol, 8);
  else if (symbol < 256)
    bits.PutCode(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    bits.PutCode(symbol - 256, 7);
  else
    bits.PutCode(0xC0 + symbol - 280, 8);
}

void PutMatch(TBitWriter& bits, int length, int distance) {
  static constexpr int kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                        31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static constexpr int kDistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                          33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                          1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  int code = 28;
  while (kLengthBase[code] > length) --code;
  PutSymbol(bits, 257 + code);
  bits.Put(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
  code = 29;
  while (kDistanceBase[code] > distance) --code;
  bits.PutCode(static_cast<std::uint32_t>(code), 5);
  bits.Put(static_cast<std::uint32_t>(distance - kDistanceBase[code]), code < 4 ? 0 : code / 2 - 1);
}

// The scanlines as a zlib stream: one block in deflate's fixed Huffman code, with greedy
// matches of the last place each three bytes were seen (screenshots repeat a great deal).
std::vector<std::uint8_t> ZlibCompressed(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  TBitWriter bits(out);
  bits.Put(1, 1);  // the last block
  bits.Put(1, 2);  // fixed Huffman codes
  constexpr std::size_t kWindow = 32768, kLongest = 258;
  std::vector<std::int64_t> seen(1 << 16, -1);
  const auto hash = [&](std::size_t i) { return (raw[i] << 8 ^ raw[i + 1] << 4 ^ raw[i + 2]) & 0xFFFF; };
  std::size_t i = 0;
  while (i < raw.size()) {
    std::size_t length = 0, distance = 0;
    if (i + 3 <= raw.size()) {
      const std::int64_t j = seen[hash(i)];
      seen[hash(i)] = static_cast<std::int64_t>(i);
      if (j >= 0 && i - static_cast<std::size_t>(j) <= kWindow) {
        const std::size_t limit = std::min(kLongest, raw.size() - i);
        while (length < limit && raw[static_cast<std::size_t>(j) + length] == raw[i + length]) ++length;
        distance = i - static_cast<std::size_t>(j);
      }
    }
    if (length >= 3) {
      PutMatch(bits, static_cast<int>(length), static_cast<int>(distance));
      i += length;
    } else {
      PutSymbol(bits, raw[i]);
      ++i;
    }
  }
  PutSymbol(bits, 256);
  bits.Flush();
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
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
  PutChunk(png, "IDAT", ZlibCompressed(raw));
  PutChunk(png, "IEND", {});
  const win32::TUniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.Get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
         written == png.size();
}

}  // namespace vd::e2e
