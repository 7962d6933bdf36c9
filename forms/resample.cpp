#include "forms/resample.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace wizlo {

namespace {

constexpr int kShift = 14;
constexpr int kOne = 1 << kShift;

// The source pixels that make each target pixel along an axis: for target i, `count[i]` pixels from
// `first[i]`, weighted by `weights[i * width + k]`, the weights of one target summing to kOne.
struct Taps {
  std::vector<int> first, count;
  std::vector<int> weights;
  int width = 0;
};

Taps tapsFor(int source, int target) {
  const double scale = static_cast<double>(target) / source;
  const double support = scale < 1 ? 1 / scale : 1;
  Taps taps;
  taps.width = static_cast<int>(std::ceil(2 * support)) + 1;
  taps.first.resize(static_cast<std::size_t>(target));
  taps.count.resize(static_cast<std::size_t>(target));
  taps.weights.assign(static_cast<std::size_t>(target) * static_cast<std::size_t>(taps.width), 0);
  std::vector<double> w(static_cast<std::size_t>(taps.width));
  for (int i = 0; i < target; ++i) {
    const double centre = (i + 0.5) / scale - 0.5;
    const int from = static_cast<int>(std::floor(centre - support)) + 1;
    const int to = static_cast<int>(std::ceil(centre + support)) - 1;
    const int first = std::clamp(from, 0, source - 1), last = std::clamp(to, 0, source - 1);
    std::fill(w.begin(), w.end(), 0.0);
    double sum = 0;
    for (int x = from; x <= to; ++x) {
      const double weight = std::max(0.0, 1 - std::abs(x - centre) / support);
      // Beyond an edge the edge pixel repeats.
      w[static_cast<std::size_t>(std::clamp(x, 0, source - 1) - first)] += weight;
      sum += weight;
    }
    const int count = last - first + 1;
    int* out = &taps.weights[static_cast<std::size_t>(i) * static_cast<std::size_t>(taps.width)];
    int given = 0, largest = 0;
    for (int k = 0; k < count; ++k) {
      out[k] = static_cast<int>(std::lround(w[static_cast<std::size_t>(k)] / sum * kOne));
      given += out[k];
      if (out[k] > out[largest]) largest = k;
    }
    out[largest] += kOne - given;
    taps.first[static_cast<std::size_t>(i)] = first;
    taps.count[static_cast<std::size_t>(i)] = count;
  }
  return taps;
}

std::uint8_t rounded(int sum) { return static_cast<std::uint8_t>(std::clamp((sum + kOne / 2) >> kShift, 0, 255)); }

// Rows first: whole rows are weighted and added, which the compiler turns into vector code.
Bitmap resampleRows(const Bitmap& source, int height) {
  const Taps taps = tapsFor(source.height, height);
  const std::size_t bytes = static_cast<std::size_t>(source.width) * 4;
  Bitmap out{source.width, height, Pixels(static_cast<std::size_t>(source.width) * height)};
  std::vector<int> sum(bytes);
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0);
    for (int k = 0; k < taps.count[static_cast<std::size_t>(y)]; ++k) {
      const int weight = taps.weights[static_cast<std::size_t>(y) * static_cast<std::size_t>(taps.width) +
                                      static_cast<std::size_t>(k)];
      const auto* row = reinterpret_cast<const std::uint8_t*>(
          &source.argb[static_cast<std::size_t>(taps.first[static_cast<std::size_t>(y)] + k) * source.width]);
      for (std::size_t i = 0; i < bytes; ++i) sum[i] += weight * row[i];
    }
    auto* to = reinterpret_cast<std::uint8_t*>(&out.argb[static_cast<std::size_t>(y) * source.width]);
    for (std::size_t i = 0; i < bytes; ++i) to[i] = rounded(sum[i]);
  }
  return out;
}

Bitmap resampleColumns(const Bitmap& source, int width) {
  const Taps taps = tapsFor(source.width, width);
  Bitmap out{width, source.height, Pixels(static_cast<std::size_t>(width) * source.height)};
  for (int y = 0; y < source.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(&source.argb[static_cast<std::size_t>(y) * source.width]);
    auto* to = reinterpret_cast<std::uint8_t*>(&out.argb[static_cast<std::size_t>(y) * width]);
    for (int x = 0; x < width; ++x) {
      const int* weight = &taps.weights[static_cast<std::size_t>(x) * static_cast<std::size_t>(taps.width)];
      const std::uint8_t* from = row + static_cast<std::ptrdiff_t>(taps.first[static_cast<std::size_t>(x)]) * 4;
      int sum[4] = {0, 0, 0, 0};
      for (int k = 0; k < taps.count[static_cast<std::size_t>(x)]; ++k, from += 4)
        for (int c = 0; c < 4; ++c) sum[c] += weight[k] * from[c];
      for (int c = 0; c < 4; ++c) to[4 * x + c] = rounded(sum[c]);
    }
  }
  return out;
}

std::uint32_t channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

std::uint32_t premultiplied(std::uint32_t p) {
  const std::uint32_t a = p >> 24;
  if (a == 0xFF) return p;
  const auto times = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return a << 24 | times(channel(p, 16)) << 16 | times(channel(p, 8)) << 8 | times(channel(p, 0));
}

}  // namespace

PreparedImage prepare(const Bitmap& image, int width, int height) {
  const bool opaque =
      std::all_of(image.argb.begin(), image.argb.end(), [](std::uint32_t p) { return p >> 24 == 0xFF; });
  if (opaque && width == image.width && height == image.height) return PreparedImage(image);
  // The decoded image is read, never copied whole: a backdrop is megabytes.
  Bitmap stage;
  const Bitmap* at = &image;
  if (!opaque) {
    stage = {image.width, image.height, Pixels(image.argb.size())};
    std::transform(image.argb.begin(), image.argb.end(), stage.argb.begin(), premultiplied);
    at = &stage;
  }
  if (height != at->height) {
    stage = resampleRows(*at, height);
    at = &stage;
  }
  if (width != at->width) {
    stage = resampleColumns(*at, width);
    at = &stage;
  }
  return PreparedImage(std::move(stage), opaque);
}

Bitmap straightAlpha(const Bitmap& premultiplied) {
  Bitmap out{premultiplied.width, premultiplied.height, {}};
  out.argb.reserve(premultiplied.argb.size());
  for (std::uint32_t p : premultiplied.argb) {
    const std::uint32_t a = p >> 24;
    if (a == 0 || a == 0xFF) {
      out.argb.push_back(a == 0 ? 0 : p);
      continue;
    }
    const auto undo = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    out.argb.push_back(a << 24 | undo(channel(p, 16)) << 16 | undo(channel(p, 8)) << 8 | undo(channel(p, 0)));
  }
  return out;
}

}  // namespace wizlo
