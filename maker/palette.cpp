#include "maker/palette.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

namespace wizlo::maker {

const BoardColours kTeacherColours = {
    .ground = 0xFBF1D9,  // a warm paper cream: none of the program's own boards has it
    .tileRing = 0xC8531E,
    .text = 0x000000,
    .instruction = 0x7A2E0C,
    .ornament = 0xC8853A,
    .credits = {.role = 0x6B3A16, .name = 0x6B3A16, .school = 0x7A2E0C, .programming = 0x6B3A16},
};

namespace {

// Twelve hues far apart, in the order they are handed out: each next one as far as it can be from
// those before it, so a board with few groups gets the plainest, most different colours.
constexpr std::array<Rgb, 12> kGroupColours = {
    0xE01B1B,  // red
    0x1E5BD8,  // blue
    0x248A24,  // green
    0x8E24AA,  // purple
    0xE06A00,  // orange
    0x008F8F,  // teal
    0xD81BB0,  // magenta
    0x8D5A2B,  // brown
    0x14207A,  // navy
    0x7E9A00,  // olive green
    0xF0508C,  // pink
    0x2E90E8,  // sky blue
};

std::array<double, 3> lab(Rgb c) {
  const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  const double r = linear(((c >> 16) & 0xFF) / 255.0), g = linear(((c >> 8) & 0xFF) / 255.0), b = linear((c & 0xFF) / 255.0);
  const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

}  // namespace

double colourDistance(Rgb a, Rgb b) {
  const auto p = lab(a), q = lab(b);
  return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
}

std::vector<Rgb> groupColours(std::size_t count) {
  if (count > kGroupColours.size()) throw std::invalid_argument("a board has at most 12 groups");
  // Neighbours in the sentence take colours from the two ends of the list in turn, so two groups
  // side by side are never the close pair of a crowded board.
  std::vector<Rgb> out;
  std::vector<Rgb> pool(kGroupColours.begin(), kGroupColours.begin() + static_cast<long>(count));
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t best = 0;
    double bestDistance = -1;
    for (std::size_t k = 0; k < pool.size(); ++k) {
      const double d = out.empty() ? 0 : colourDistance(pool[k], out.back());
      if (d > bestDistance) best = k, bestDistance = d;
    }
    out.push_back(pool[best]);
    pool.erase(pool.begin() + static_cast<long>(best));
  }
  return out;
}

}  // namespace wizlo::maker
