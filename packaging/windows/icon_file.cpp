#include "packaging/windows/icon_file.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace wizlo::icon {

const std::uint32_t kSixteenColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                           0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

namespace {

using Bytes = std::vector<std::uint8_t>;
using Palette = std::vector<std::uint32_t>;

void put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put32(Bytes& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

int channel(std::uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }
bool opaque(std::uint32_t argb) { return (argb >> 24) >= 128; }

int distance(int r, int g, int b, std::uint32_t colour) {
  const int dr = r - channel(colour, 16), dg = g - channel(colour, 8), db = b - channel(colour, 0);
  return dr * dr + dg * dg + db * db;
}

std::size_t nearest(const Palette& palette, int r, int g, int b) {
  std::size_t best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette.size(); ++i)
    if (const int d = distance(r, g, b, palette[i]); d < bestDistance) best = i, bestDistance = d;
  return best;
}

// Up to `count` colours for the opaque pixels by median cut: the box of colours with the widest
// spread is split at the median of that channel until there are enough boxes; each gives its mean.
Palette medianCut(const std::vector<std::uint32_t>& argb, std::size_t count) {
  std::vector<std::vector<std::uint32_t>> boxes(1);
  for (std::uint32_t p : argb)
    if (opaque(p)) boxes[0].push_back(p & 0xFFFFFF);
  if (boxes[0].empty()) return {};
  const auto spread = [](const std::vector<std::uint32_t>& box, int shift) {
    const auto [low, high] = std::minmax_element(box.begin(), box.end(), [shift](std::uint32_t a, std::uint32_t b) {
      return channel(a, shift) < channel(b, shift);
    });
    return channel(*high, shift) - channel(*low, shift);
  };
  const auto widest = [&](const std::vector<std::uint32_t>& box) {
    int shift = 16;
    for (int s : {8, 0})
      if (spread(box, s) > spread(box, shift)) shift = s;
    return shift;
  };
  while (boxes.size() < count) {
    const auto box = std::max_element(boxes.begin(), boxes.end(), [&](const auto& a, const auto& b) {
      return spread(a, widest(a)) < spread(b, widest(b));
    });
    if (spread(*box, widest(*box)) == 0) break;
    const int shift = widest(*box);
    std::sort(box->begin(), box->end(),
              [shift](std::uint32_t a, std::uint32_t b) { return channel(a, shift) < channel(b, shift); });
    std::vector<std::uint32_t> upper(box->begin() + static_cast<std::ptrdiff_t>(box->size() / 2), box->end());
    box->resize(box->size() / 2);
    boxes.push_back(std::move(upper));
  }
  Palette palette;
  for (const auto& box : boxes) {
    long sum[3] = {0, 0, 0};
    for (std::uint32_t p : box)
      for (int c = 0; c < 3; ++c) sum[c] += channel(p, 16 - 8 * c);
    const auto mean = [&](int c) { return static_cast<std::uint32_t>((sum[c] + static_cast<long>(box.size()) / 2) / static_cast<long>(box.size())); };
    palette.push_back(mean(0) << 16 | mean(1) << 8 | mean(2));
  }
  return palette;
}

// Palette indices for the opaque pixels, with the error of each spread to its neighbours
// (Floyd-Steinberg), so few colours still shade the metal. Transparent pixels take index 0, which is
// black: under the mask, black leaves the screen as it is.
std::vector<std::size_t> indices(const Image& image, const Palette& palette) {
  const int n = image.size;
  std::vector<std::array<int, 3>> error(static_cast<std::size_t>(n) * n, {0, 0, 0});
  std::vector<std::size_t> out(static_cast<std::size_t>(n) * n, 0);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * n + x;
      const std::uint32_t p = image.argb[at];
      if (!opaque(p)) continue;
      int want[3];
      for (int c = 0; c < 3; ++c) want[c] = std::clamp(channel(p, 16 - 8 * c) + error[at][c] / 16, 0, 255);
      out[at] = nearest(palette, want[0], want[1], want[2]);
      for (int c = 0; c < 3; ++c) {
        const int left = want[c] - channel(palette[out[at]], 16 - 8 * c);
        const auto spill = [&](int dx, int dy, int weight) {
          if (x + dx < 0 || x + dx >= n || y + dy >= n) return;
          const std::size_t to = static_cast<std::size_t>(y + dy) * n + (x + dx);
          if (opaque(image.argb[to])) error[to][c] += left * weight;
        };
        spill(1, 0, 7), spill(-1, 1, 3), spill(0, 1, 5), spill(1, 1, 1);
      }
    }
  return out;
}

// A DIB as an icon keeps it: the header (twice the height: colours, then mask), the palette, the
// colour rows and the 1-bit mask rows, each bottom-up and padded to 4 bytes.
Bytes dibIcon(const Image& image, int bits) {
  const int n = image.size;
  Palette palette;
  if (bits == 4) palette.assign(std::begin(kSixteenColours), std::end(kSixteenColours));
  if (bits == 8) {
    palette = medianCut(image.argb, 255);
    palette.insert(palette.begin(), 0x000000);  // index 0: what transparent pixels show
    palette.resize(256, 0x000000);
  }
  const std::vector<std::size_t> index = bits == 32 ? std::vector<std::size_t>{} : indices(image, palette);
  const int colourRow = (n * bits + 31) / 32 * 4, maskRow = (n + 31) / 32 * 4;
  Bytes out;
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(n));
  put32(out, static_cast<std::uint32_t>(2 * n));
  put16(out, 1);
  put16(out, static_cast<unsigned>(bits));
  put32(out, 0);  // BI_RGB
  put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * n));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (std::uint32_t colour : palette) put32(out, colour);  // B, G, R, 0 in the file
  for (int y = n - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(colourRow), 0);
    for (int x = 0; x < n; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * n + x;
      if (bits == 32) {
        for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<std::uint8_t>(image.argb[at] >> (8 * k));
      } else if (bits == 8) {
        row[x] = static_cast<std::uint8_t>(index[at]);
      } else {
        row[x / 2] |= static_cast<std::uint8_t>(index[at] << (x % 2 ? 0 : 4));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = n - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(maskRow), 0);
    for (int x = 0; x < n; ++x)
      if (!opaque(image.argb[static_cast<std::size_t>(y) * n + x])) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> iconFile(const std::vector<Image>& images) {
  struct Entry {
    int size, bits;
    Bytes data;
  };
  std::vector<Entry> entries;
  for (const Image& image : images) {
    if (image.size >= 256) {
      entries.push_back({image.size, 32, image.png});
      continue;
    }
    for (int bits : {4, 8, 32}) entries.push_back({image.size, bits, dibIcon(image, bits)});
  }
  Bytes out;
  put16(out, 0);
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<unsigned>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const Entry& e : entries) {
    out.push_back(static_cast<std::uint8_t>(e.size >= 256 ? 0 : e.size));  // 0 stands for 256
    out.push_back(static_cast<std::uint8_t>(e.size >= 256 ? 0 : e.size));
    out.push_back(static_cast<std::uint8_t>(e.bits == 4 ? 16 : 0));  // colours, under 256 only
    out.push_back(0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(e.bits));
    put32(out, static_cast<std::uint32_t>(e.data.size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const Entry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

}  // namespace wizlo::icon
