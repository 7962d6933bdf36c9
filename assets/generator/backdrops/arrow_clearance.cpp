#include "assets/generator/backdrops/arrow_clearance.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <stdexcept>

namespace wizlo::art {
namespace {

// The group in a part's name: 3 for "g(3) arrow" and "g(3) letters"; -1 for anything else.
int groupOf(const InkPart& part, std::string_view what) {
  int group = -1, end = 0;
  const std::string name(part.name), format = "g(%d) " + std::string(what) + "%n";
  if (std::sscanf(name.c_str(), format.c_str(), &group, &end) == 1 && end == static_cast<int>(name.size()))
    return group;
  return -1;
}

struct Pixel {
  int x, y;
};

// The pixels at least half covered.
std::vector<Pixel> halfCovered(const std::vector<std::uint8_t>& c, int width) {
  std::vector<Pixel> out;
  for (std::size_t i = 0; i < c.size(); ++i)
    if (c[i] >= 128) out.push_back({static_cast<int>(i % width), static_cast<int>(i / width)});
  return out;
}

// The least distance from any of the pixels to the box of the others, in image pixels; infinite
// with none of either.
double toBoxOf(const std::vector<Pixel>& pixels, const std::vector<Pixel>& boxed) {
  if (pixels.empty() || boxed.empty()) return std::numeric_limits<double>::infinity();
  int x0 = boxed[0].x, x1 = x0, y0 = boxed[0].y, y1 = y0;
  for (const Pixel& p : boxed)
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  double best = std::numeric_limits<double>::infinity();
  for (const Pixel& p : pixels) {
    const double dx = std::max({x0 - p.x, 0, p.x - x1}), dy = std::max({y0 - p.y, 0, p.y - y1});
    best = std::min(best, dx * dx + dy * dy);
  }
  return std::sqrt(best);
}

}  // namespace

std::string ArrowFault::describe() const {
  char text[160];
  if (crosses())
    std::snprintf(text, sizeof text, "g(%d)'s arrow covers %.1f px of other letters of the sentence", group, coveredPx);
  else
    std::snprintf(text, sizeof text, "g(%d)'s arrow ends %.1f px from its letters, beyond the %.0f px it may", group,
                  gapPx, kArrowReachPx);
  return text;
}

std::vector<ArrowFault> arrowFaults(const InkPixels& pixels, const InkMap& ink) {
  // The sentence's ink, and each group's own letters within it.
  std::vector<std::uint8_t> words;
  std::map<int, std::vector<std::uint8_t>> own;
  for (const InkPart& part : ink.parts()) {
    if (part.kind == InkKind::Word) {
      const std::vector<std::uint8_t> c = pixels.coverage(part);
      if (words.empty()) words.assign(c.size(), 0);
      for (std::size_t i = 0; i < c.size(); ++i) words[i] = std::max(words[i], c[i]);
    }
    if (part.kind == InkKind::Letters && groupOf(part, "letters") >= 0) own[groupOf(part, "letters")] = pixels.coverage(part);
  }
  const double onePx = pixels.width() / (kPageWidth / 15);  // a pixel at 1x, in the image's pixels
  std::vector<ArrowFault> faults;
  for (const InkPart& part : ink.parts()) {
    const int group = groupOf(part, "arrow");
    if (part.kind != InkKind::Arrow || group < 0 || words.empty()) continue;
    const std::vector<std::uint8_t> arrow = pixels.coverage(part);
    const auto mine = own.find(group);
    // Each pixel's coverage by the other ink, and the least of it the arrow must share: what the two
    // cover beyond the whole pixel.
    double shared = 0;
    for (std::size_t i = 0; i < arrow.size(); ++i) {
      if (!arrow[i]) continue;
      const int other = words[i] - (mine == own.end() ? 0 : mine->second[i]);
      shared += std::max(0, arrow[i] + other - 255) / 255.0;
    }
    const ArrowFault fault{
        group, shared / (onePx * onePx),
        mine == own.end() ? std::numeric_limits<double>::infinity()
                          : toBoxOf(halfCovered(arrow, pixels.width()), halfCovered(mine->second, pixels.width())) / onePx};
    if (fault.crosses() || fault.gapPx > kArrowReachPx) faults.push_back(fault);
  }
  return faults;
}

void requireArrowsClear(const InkPixels& pixels, const InkMap& ink, std::string_view picture) {
  const std::vector<ArrowFault> faults = arrowFaults(pixels, ink);
  if (!faults.empty()) throw std::runtime_error(std::string(picture) + ": " + faults.front().describe());
}

}  // namespace wizlo::art
