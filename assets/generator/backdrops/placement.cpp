#include "assets/generator/backdrops/placement.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "assets/control_names.hpp"
#include "assets/generator/draw/shapes.hpp"

namespace wizlo::art {

Box boxOf(const Rect& r) { return {double(r.Left), double(r.Top), double(r.Width), double(r.Height)}; }

const ImageLayout& controlOf(const FormLayout& form, std::string_view name, std::optional<int> index) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && (index ? c.Index && *c.Index == *index : !c.Index)) return c;
  throw std::out_of_range("no control " + std::string(name) + " on " + std::string(form.Name));
}

std::vector<Box> obstaclesOf(const FormLayout& form) {
  std::vector<Box> out;
  for (const ImageLayout& c : form.Controls) {
    if (c.Name == names::kBackdrop) continue;
    if (c.Visible || c.Name == names::kRightMark || c.Name == names::kWrongMark) out.push_back(boxOf(c.rect()));
  }
  return out;
}

std::vector<const ImageLayout*> visibleArray(const FormLayout& form, std::string_view name) {
  std::vector<const ImageLayout*> out;
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && c.Index && c.Visible) out.push_back(&c);
  std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return *a->Index < *b->Index; });
  return out;
}

Box PlacedText::inkOnPage() const {
  const Box ink = text.ink();
  return {x + ink.x, y + ink.y, ink.width, ink.height};
}

PlacedText fitText(cairo_t* cr, std::string_view utf8, double maxSize, double rightX, double centreY,
                   const Box& region, const std::vector<Box>& obstacles) {
  // A nudge up or down a little is kinder to a label than shrinking it.
  constexpr double kNudges[] = {0, 50, -50, 100, -100, 150, -150};
  for (double size = maxSize;; size *= 0.96) {
    PlacedText placed{ArabicText(cr, utf8, kNaskh, size)};
    const Box ink = placed.text.ink();
    placed.x = rightX - ink.width - ink.x;
    for (double nudge : kNudges) {
      placed.y = centreY + nudge - ink.centreY();
      const Box page = placed.inkOnPage();
      const bool inside = page.x >= region.x && page.right() <= region.right() && page.y >= region.y &&
                          page.bottom() <= region.bottom();
      const bool clear = std::none_of(obstacles.begin(), obstacles.end(),
                                      [&](const Box& o) { return overlaps(inset(o, -30, -30), page); });
      if (inside && clear) return placed;
    }
    if (size < maxSize * 0.3) {
      placed.y = centreY - ink.centreY();
      return placed;
    }
  }
}

}  // namespace wizlo::art
