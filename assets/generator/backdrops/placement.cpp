#include "assets/generator/backdrops/placement.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "assets/control_names.hpp"
#include "assets/generator/draw/owned.hpp"
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

bool fitsAt(const Box& ink, const Box& region, const std::vector<Box>& obstacles, double clearance) {
  const bool inside =
      ink.x >= region.x && ink.right() <= region.right() && ink.y >= region.y && ink.bottom() <= region.bottom();
  return inside && std::none_of(obstacles.begin(), obstacles.end(), [&](const Box& o) {
           return overlaps(inset(o, -clearance, -clearance), ink);
         });
}

InkStrips::InkStrips(const ArabicText& text, double margin) {
  const Box ink = text.ink();
  // The ink drawn a strip to the pixel, with a strip of room round it.
  const int width = static_cast<int>(std::ceil(ink.width / kStrip)) + 2;
  const int height = static_cast<int>(std::ceil(ink.height / kStrip)) + 2;
  const Surface mask = makeSurface(width, height, CAIRO_FORMAT_A8);
  {
    const Context cr = drawingOn(mask.get());
    cairo_scale(cr.get(), 1 / kStrip, 1 / kStrip);
    text.path(cr.get(), kStrip - ink.x, kStrip - ink.y);
    cairo_fill(cr.get());
  }
  cairo_surface_flush(mask.get());
  const unsigned char* data = cairo_image_surface_get_data(mask.get());
  const int stride = cairo_image_surface_get_stride(mask.get());
  std::vector<Span> inked(static_cast<std::size_t>(width), Span{1, 0});
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (data[y * stride + x] > 0) {
        Span& s = inked[static_cast<std::size_t>(x)];
        if (s.top > s.bottom) s = {y * kStrip, (y + 1) * kStrip};
        s.bottom = (y + 1) * kStrip;
      }
  // Grown by the margin: each strip takes the ink of the strips within the margin either side.
  const int reach = static_cast<int>(std::ceil(margin / kStrip));
  left_ = ink.x - kStrip - reach * kStrip;
  const double up = ink.y - kStrip;  // the mask's top, from the paint origin
  spans_.assign(static_cast<std::size_t>(width + 2 * reach), Span{1, 0});
  top_ = ink.y - kStrip - margin;
  bottom_ = ink.bottom() + kStrip + margin;
  for (int x = 0; x < width; ++x) {
    const Span& s = inked[static_cast<std::size_t>(x)];
    if (s.top > s.bottom) continue;
    for (int k = x; k <= x + 2 * reach; ++k) {
      Span& grown = spans_[static_cast<std::size_t>(k)];
      const Span mine{up + s.top - margin, up + s.bottom + margin};
      grown = grown.top > grown.bottom ? mine
                                       : Span{std::min(grown.top, mine.top), std::max(grown.bottom, mine.bottom)};
    }
  }
}

const InkStrips::Span& InkStrips::at(double x) const {
  static constexpr Span kNone{1, 0};
  const double k = std::floor((x - left_) / kStrip);
  return k < 0 || k >= static_cast<double>(spans_.size()) ? kNone : spans_[static_cast<std::size_t>(k)];
}

bool InkStrips::meets(double x, double y, const Box& box) const {
  for (double at = box.x; at < box.right() + kStrip; at += kStrip) {
    const Span& s = this->at(std::min(at, box.right()) - x);
    if (s.top <= s.bottom && y + s.top < box.bottom() && box.y < y + s.bottom) return true;
  }
  return false;
}

bool InkStrips::meets(double x, double y, const InkStrips& other, double ox, double oy) const {
  if (x + left_ >= ox + other.left_ + static_cast<double>(other.spans_.size()) * kStrip ||
      ox + other.left_ >= x + left_ + static_cast<double>(spans_.size()) * kStrip || y + top_ >= oy + other.bottom_ ||
      oy + other.top_ >= y + bottom_)
    return false;  // far apart
  for (std::size_t k = 0; k < spans_.size(); ++k) {
    const Span& s = spans_[k];
    if (s.top > s.bottom) continue;
    const double strip = x + left_ + static_cast<double>(k) * kStrip;
    for (const double at : {strip, strip + kStrip * 0.99}) {
      const Span& o = other.at(at - ox);
      if (o.top <= o.bottom && y + s.top < oy + o.bottom && oy + o.top < y + s.bottom) return true;
    }
  }
  return false;
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
      if (fitsAt(placed.inkOnPage(), region, obstacles, 30)) return placed;
    }
    if (size < maxSize * 0.3) {
      placed.y = centreY - ink.centreY();
      return placed;
    }
  }
}

}  // namespace wizlo::art
