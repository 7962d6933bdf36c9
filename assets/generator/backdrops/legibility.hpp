#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "assets/generator/backdrops/ink_map.hpp"

// How far each thing a pupil reads stands out from the ground around it, measured on the pixels of
// a drawn backdrop: the ink map says where each thing went.
namespace wizlo::art {

// WCAG contrast ratios against the ground a few pixels away: of the thing's own colour, and of its
// rim just outside it, where an outline would be. 0 where there are no such pixels to measure.
struct Standout {
  double fill = 0, rim = 0;
  double best() const { return fill > rim ? fill : rim; }
};

// WCAG's least contrast for large text and for the parts of a picture one must make out.
inline constexpr double kLeastStandout = 3;

// A backdrop's pixels, 0xAARRGGBB row by row, and where its ink went.
class InkPixels {
 public:
  InkPixels(std::span<const std::uint32_t> argb, int width, const InkMap& ink);

  // How much of each pixel the part's outline covers, 0 to 255, row by row.
  std::vector<std::uint8_t> coverage(const InkPart& part) const;
  // The rim is measured from `rimFrom` to `rimTo` pixels at 1x outside the part's edge.
  Standout standout(const InkPart& part, double rimFrom = 0, double rimTo = 1.5) const;
  int width() const { return width_; }

 private:
  std::span<const std::uint32_t> argb_;
  int width_, height_;
  std::vector<float> fromAnyInk_;  // each pixel's distance from the nearest part, in pixels
};

// Throws, naming the part, unless every part but the words (each held to it by its letters) stands
// out at least kLeastStandout.
void requireLegible(const InkPixels& pixels, const InkMap& ink, std::string_view picture);

}  // namespace wizlo::art
