#include "assets/generator/draw/shapes.hpp"

#include <algorithm>
#include <cmath>

namespace wizlo::art {

void paintFlat(cairo_t* cr, Colour c) {
  setSource(cr, c);
  cairo_paint(cr);
}

void softShadow(cairo_t* cr, const PathMaker& shape, double dx, double dy, double blur, Colour c) {
  // Drawn small and stretched back with bilinear filtering: the cheapest blur
  // cairo offers, and soft enough for a shadow.
  const double cell = std::max(blur / 2, 1.0);
  const int w = static_cast<int>(std::ceil(kPageWidth / cell)) + 2;
  const int h = static_cast<int>(std::ceil(kPageHeight / cell)) + 2;
  const Surface mask = makeSurface(w, h, CAIRO_FORMAT_A8);
  {
    const Context m = drawingOn(mask.get());
    cairo_scale(m.get(), 1 / cell, 1 / cell);
    cairo_translate(m.get(), dx, dy);
    shape(m.get());
    setSource(m.get(), kBlack);
    cairo_fill(m.get());
  }

  cairo_save(cr);
  setSource(cr, c);
  const Pattern p{cairo_pattern_create_for_surface(mask.get())};
  cairo_matrix_t scale;
  cairo_matrix_init_scale(&scale, 1 / cell, 1 / cell);
  cairo_pattern_set_matrix(p.get(), &scale);
  cairo_pattern_set_filter(p.get(), CAIRO_FILTER_GOOD);
  cairo_mask(cr, p.get());
  cairo_restore(cr);
}

void strokeRim(cairo_t* cr, Colour c) {
  cairo_save(cr);
  setSource(cr, rimOf(c));
  cairo_set_line_width(cr, 2 * kRimWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void ellipsePath(cairo_t* cr, const Box& b, bool anticlockwise) {
  cairo_save(cr);
  cairo_translate(cr, b.centreX(), b.centreY());
  cairo_scale(cr, b.width / 2, b.height / 2);
  cairo_new_sub_path(cr);
  if (anticlockwise) cairo_arc_negative(cr, 0, 0, 1, 2 * M_PI, 0);
  else cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void ringPath(cairo_t* cr, const Box& b, double width) {
  const Box outer = inset(b, b.width * 0.05, b.height * 0.05);
  ellipsePath(cr, outer);
  // The inner edge runs the other way round, so the ground inside stays out of the fill.
  ellipsePath(cr, inset(outer, width, width), true);
}

void drawRing(cairo_t* cr, const Box& b, Colour c, double width) {
  softShadow(cr, [&](cairo_t* m) { ringPath(m, b, width); }, 18, 24, 40, kBlack.withAlpha(0.35));
  ringPath(cr, b, width);
  strokeRim(cr, c);
  ringPath(cr, b, width);
  setSource(cr, c);
  cairo_fill(cr);
}

void arrowPath(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, double width) {
  const double dx = tipX - tailX, dy = tipY - tailY;
  const double length = std::hypot(dx, dy);
  if (length < 1) return;
  const double head = std::min(width * 3.2, length * 0.5);
  const double headHalf = width * 1.7;
  cairo_save(cr);
  cairo_translate(cr, tailX, tailY);
  cairo_rotate(cr, std::atan2(dy, dx));
  cairo_move_to(cr, 0, -width / 2);
  cairo_line_to(cr, length - head, -width / 2);
  cairo_line_to(cr, length - head, -headHalf);
  cairo_line_to(cr, length, 0);
  cairo_line_to(cr, length - head, headHalf);
  cairo_line_to(cr, length - head, width / 2);
  cairo_line_to(cr, 0, width / 2);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void drawArrow(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, Colour c, double width) {
  const auto shape = [&](cairo_t* m) { arrowPath(m, tailX, tailY, tipX, tipY, width); };
  softShadow(cr, shape, 12, 16, 30, kBlack.withAlpha(0.3));
  shape(cr);
  strokeRim(cr, c);
  shape(cr);
  setSource(cr, c);
  cairo_fill(cr);
}

}  // namespace wizlo::art
