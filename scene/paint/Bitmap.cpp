#include "scene/paint/Bitmap.h"

#include <algorithm>

namespace vd {

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The header chunk comes first: its length (13), "IHDR", width, height (big-endian).
constexpr std::uint8_t kHeaderChunk[] = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
constexpr std::size_t kSizeOffset = sizeof kSignature + sizeof kHeaderChunk;

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

}  // namespace

const TClassInfo& TvgBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgBitmap>(u"TvgBitmap", TPersistent::StaticClassInfo())
                                     .Binary(u"PNG", &TvgBitmap::SetPNG, &TvgBitmap::StoredPNG)
                                     .Build();
  return info;
}

void TvgBitmap::SetPNG(std::span<const std::uint8_t> data) {
  FPNG.assign(data.begin(), data.end());
  FCache.reset();
  FWidth = FHeight = 0;
  const std::span<const std::uint8_t> bytes(FPNG);
  if (bytes.size() >= kSizeOffset + 8 && std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()) &&
      std::equal(std::begin(kHeaderChunk), std::end(kHeaderChunk), bytes.begin() + sizeof kSignature)) {
    const std::uint32_t width = BigEndian(bytes.subspan(kSizeOffset, 4));
    const std::uint32_t height = BigEndian(bytes.subspan(kSizeOffset + 4, 4));
    // PNG sizes run up to 2^31 - 1.
    if (width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF) {
      FWidth = static_cast<int>(width);
      FHeight = static_cast<int>(height);
    }
  }
  if (OnChange) OnChange();
}

std::optional<std::vector<std::uint8_t>> TvgBitmap::StoredPNG() const {
  if (FPNG.empty()) return std::nullopt;
  return FPNG;
}

}  // namespace vd
