#include "scene/paint/AreaAverage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vd {

namespace {

// The source pixels that one target pixel covers along an axis, with their weights.
struct TSpan {
  int First = 0;
  std::vector<float> Weights;  // sum to 1
};

std::vector<TSpan> Spans(float start, float length, int count, int limit) {
  std::vector<TSpan> spans(static_cast<std::size_t>(count));
  const float step = length / static_cast<float>(count);
  for (int i = 0; i < count; ++i) {
    const float a = std::clamp(start + step * static_cast<float>(i), 0.0f, static_cast<float>(limit));
    const float b = std::clamp(start + step * static_cast<float>(i + 1), 0.0f, static_cast<float>(limit));
    TSpan& span = spans[static_cast<std::size_t>(i)];
    span.First = std::min(static_cast<int>(std::floor(a)), limit - 1);
    float total = 0;
    for (int k = span.First; k < std::max(static_cast<int>(std::ceil(b)), span.First + 1); ++k) {
      const float weight = std::max(std::min(b, static_cast<float>(k + 1)) - std::max(a, static_cast<float>(k)), 0.0f);
      span.Weights.push_back(weight);
      total += weight;
    }
    // A span that lies outside the picture takes its nearest pixel.
    if (total <= 0) span.Weights.assign(1, total = 1);
    for (float& weight : span.Weights) weight /= total;
  }
  return spans;
}

}  // namespace

void ReduceByAreaAverage(const TvgPixelBlock& from, const TvgRect& source, const TvgPixelBlock& to) {
  if (from.Width <= 0 || from.Height <= 0 || to.Width <= 0 || to.Height <= 0) return;
  // Pixel indexes are made from the part's edges.
  if (!std::isfinite(source.Left) || !std::isfinite(source.Top) || !std::isfinite(source.Right) ||
      !std::isfinite(source.Bottom))
    return;
  const std::vector<TSpan> columns = Spans(source.Left, source.Width(), to.Width, from.Width);
  const std::vector<TSpan> rows = Spans(source.Top, source.Height(), to.Height, from.Height);
  // The rows of one target row summed, per source column and channel.
  std::vector<std::array<float, 4>> summed(static_cast<std::size_t>(from.Width));
  for (int y = 0; y < to.Height; ++y) {
    const TSpan& row = rows[static_cast<std::size_t>(y)];
    std::fill(summed.begin(), summed.end(), std::array<float, 4>{});
    for (std::size_t j = 0; j < row.Weights.size(); ++j) {
      const std::uint32_t* line =
          from.Bits + static_cast<std::ptrdiff_t>(row.First + static_cast<int>(j)) * from.Stride;
      const float weight = row.Weights[j];
      for (int x = 0; x < from.Width; ++x)
        for (int c = 0; c < 4; ++c)
          summed[static_cast<std::size_t>(x)][c] += weight * static_cast<float>(line[x] >> (8 * c) & 0xFF);
    }
    std::uint32_t* target = to.Bits + static_cast<std::ptrdiff_t>(y) * to.Stride;
    for (int x = 0; x < to.Width; ++x) {
      const TSpan& column = columns[static_cast<std::size_t>(x)];
      std::array<float, 4> pixel{};
      for (std::size_t i = 0; i < column.Weights.size(); ++i)
        for (int c = 0; c < 4; ++c)
          pixel[c] += column.Weights[i] * summed[static_cast<std::size_t>(column.First + static_cast<int>(i))][c];
      std::uint32_t value = 0;
      for (int c = 0; c < 4; ++c)
        value |= static_cast<std::uint32_t>(std::clamp(std::lround(pixel[c]), 0L, 255L)) << (8 * c);
      target[x] = value;
    }
  }
}

}  // namespace vd
