#pragma once
#include <cairo.h>

#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {

// Adds glyph outlines to a cairo path, scaled to the text's size, at a given origin.
class CairoOutline final : public OutlineSink {
 public:
  CairoOutline(cairo_t* cr, double size) : cr_(cr), size_(size) {}
  void at(double x, double y) { x_ = x, y_ = y; }
  void moveTo(double x, double y) override { cairo_move_to(cr_, px(x), py(y)); }
  void lineTo(double x, double y) override { cairo_line_to(cr_, px(x), py(y)); }
  void quadTo(double cx, double cy, double x, double y) override {
    // Cairo has only cubics: a quadratic is the cubic with controls two thirds of the way to its one.
    double x0 = 0, y0 = 0;
    cairo_get_current_point(cr_, &x0, &y0);
    const double qx = px(cx), qy = py(cy), x1 = px(x), y1 = py(y);
    cairo_curve_to(cr_, x0 + 2.0 / 3 * (qx - x0), y0 + 2.0 / 3 * (qy - y0), x1 + 2.0 / 3 * (qx - x1),
                   y1 + 2.0 / 3 * (qy - y1), x1, y1);
  }
  void cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y) override {
    cairo_curve_to(cr_, px(c1x), py(c1y), px(c2x), py(c2y), px(x), py(y));
  }
  void close() override { cairo_close_path(cr_); }

 private:
  double px(double x) const { return x_ + x * size_; }
  double py(double y) const { return y_ + y * size_; }
  cairo_t* cr_;
  double size_, x_ = 0, y_ = 0;
};

}  // namespace wizlo::art
