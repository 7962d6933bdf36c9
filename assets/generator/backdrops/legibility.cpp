#include "assets/generator/backdrops/legibility.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "assets/generator/draw/owned.hpp"

namespace wizlo::art {
namespace {

// Each pixel's distance from the nearest pixel where `near` holds, by a 3-4 chamfer: within a few
// per cent of the true distance, which is all a band a few pixels wide needs.
std::vector<float> distanceFrom(const std::vector<bool>& near, int w, int h) {
  std::vector<float> d(near.size());
  for (std::size_t i = 0; i < near.size(); ++i) d[i] = near[i] ? 0 : std::numeric_limits<float>::max() / 2;
  const auto relax = [&](int x, int y, int dx, int dy, float step) {
    if (x + dx < 0 || y + dy < 0 || x + dx >= w || y + dy >= h) return;
    float& here = d[static_cast<std::size_t>(y) * w + x];
    here = std::min(here, d[static_cast<std::size_t>(y + dy) * w + x + dx] + step);
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      relax(x, y, -1, 0, 3), relax(x, y, -1, -1, 4), relax(x, y, 0, -1, 3), relax(x, y, 1, -1, 4);
  for (int y = h - 1; y >= 0; --y)
    for (int x = w - 1; x >= 0; --x)
      relax(x, y, 1, 0, 3), relax(x, y, 1, 1, 4), relax(x, y, 0, 1, 3), relax(x, y, -1, 1, 4);
  for (float& v : d) v /= 3;
  return d;
}

double luminance(std::uint32_t argb) {
  const auto linear = [](std::uint32_t c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear((argb >> 16) & 0xFF) + 0.7152 * linear((argb >> 8) & 0xFF) + 0.0722 * linear(argb & 0xFF);
}

// Of the middle pixels of each set, so a stray pixel of shadow or anti-aliasing sways nothing.
double contrast(std::vector<double> a, std::vector<double> b) {
  if (a.empty() || b.empty()) return 0;
  std::nth_element(a.begin(), a.begin() + a.size() / 2, a.end());
  std::nth_element(b.begin(), b.begin() + b.size() / 2, b.end());
  const double x = a[a.size() / 2], y = b[b.size() / 2];
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace

InkPixels::InkPixels(std::span<const std::uint32_t> argb, int width, const InkMap& ink)
    : argb_(argb), width_(width), height_(static_cast<int>(argb.size()) / width) {
  std::vector<bool> inked(argb.size(), false);
  for (const InkPart& part : ink.parts()) {
    const std::vector<std::uint8_t> c = coverage(part);
    for (std::size_t i = 0; i < c.size(); ++i) inked[i] = inked[i] || c[i] > 0;
  }
  fromAnyInk_ = distanceFrom(inked, width_, height_);
}

std::vector<std::uint8_t> InkPixels::coverage(const InkPart& part) const {
  const Surface mask = makeSurface(width_, height_, CAIRO_FORMAT_A8);
  {
    const Context cr = drawingOn(mask.get());
    cairo_scale(cr.get(), width_ / kPageWidth, width_ / kPageWidth);
    cairo_append_path(cr.get(), part.outline.get());
    cairo_fill(cr.get());
  }
  cairo_surface_flush(mask.get());
  const unsigned char* data = cairo_image_surface_get_data(mask.get());
  const int stride = cairo_image_surface_get_stride(mask.get());
  std::vector<std::uint8_t> out(argb_.size());
  for (int y = 0; y < height_; ++y)
    std::copy_n(data + y * stride, width_, out.begin() + static_cast<std::ptrdiff_t>(y) * width_);
  return out;
}

Standout InkPixels::standout(const InkPart& part, double rimFrom, double rimTo) const {
  const double px = width_ / 905.0;  // a pixel at 1x, in this image's pixels
  const std::vector<std::uint8_t> c = coverage(part);
  // Only a window around the part's ink counts.
  const int margin = static_cast<int>(std::ceil(7 * px));
  int x0 = width_, y0 = height_, x1 = -1, y1 = -1;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (c[static_cast<std::size_t>(y) * width_ + x])
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  if (x1 < 0) return {};
  x0 = std::max(0, x0 - margin), y0 = std::max(0, y0 - margin);
  x1 = std::min(width_ - 1, x1 + margin), y1 = std::min(height_ - 1, y1 + margin);
  const int w = x1 - x0 + 1, n = w * (y1 - y0 + 1);
  const auto page = [&](int i) { return static_cast<std::size_t>(y0 + i / w) * width_ + x0 + i % w; };
  std::vector<bool> touched(n), notFull(n);
  for (int i = 0; i < n; ++i) touched[i] = c[page(i)] > 0, notFull[i] = c[page(i)] < 255;
  const std::vector<float> fromPart = distanceFrom(touched, w, n / w), fromEdge = distanceFrom(notFull, w, n / w);
  // Its own colour well inside its edge; its rim in the band outside it asked for (up to a pixel and
  // a half), where no other ink lies; the ground a few pixels further out, clear of everything else drawn to be read.
  std::vector<double> fill, rim, ground;
  for (int i = 0; i < n; ++i) {
    const std::size_t p = page(i);
    const double l = luminance(argb_[p]);
    if (fromEdge[i] >= px) fill.push_back(l);
    else if (c[p] == 0 && fromPart[i] > rimFrom * px && fromPart[i] <= rimTo * px && fromAnyInk_[p] > rimFrom * px)
      rim.push_back(l);
    else if (fromPart[i] >= 3 * px && fromPart[i] <= 6 * px && fromAnyInk_[p] >= 3 * px) ground.push_back(l);
  }
  return {contrast(fill, ground), contrast(rim, ground)};
}

void requireLegible(const InkPixels& pixels, const InkMap& ink, std::string_view picture) {
  for (const InkPart& part : ink.parts()) {
    if (part.kind == InkKind::Word) continue;
    const Standout s = pixels.standout(part);
    if (s.best() < kLeastStandout)
      throw std::runtime_error(std::string(picture) + ": " + part.name + " stands out only " + std::to_string(s.fill) +
                               ":1 by its colour and " + std::to_string(s.rim) + ":1 by its rim");
  }
}

}  // namespace wizlo::art
