#include "assets/generator/draw/shapes.hpp"

#include <algorithm>
#include <cmath>

namespace wizlo::art {

Box boxOf(const Rect& r) { return {double(r.Left), double(r.Top), double(r.Width), double(r.Height)}; }

void paintGradient(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  for (const Stop& s : stops) cairo_pattern_add_color_stop_rgba(p, s.at, s.colour.r, s.colour.g, s.colour.b, s.colour.a);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

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
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cairo_t* m = cairo_create(mask);
  cairo_scale(m, 1 / cell, 1 / cell);
  cairo_translate(m, dx, dy);
  shape(m);
  cairo_set_source_rgba(m, 0, 0, 0, 1);
  cairo_fill(m);
  cairo_destroy(m);

  cairo_save(cr);
  setSource(cr, c);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(mask);
  cairo_matrix_t scale;
  cairo_matrix_init_scale(&scale, 1 / cell, 1 / cell);
  cairo_pattern_set_matrix(p, &scale);
  cairo_pattern_set_filter(p, CAIRO_FILTER_GOOD);
  cairo_mask(cr, p);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  cairo_surface_destroy(mask);
}

void ellipsePath(cairo_t* cr, const Box& b) {
  cairo_save(cr);
  cairo_translate(cr, b.centreX(), b.centreY());
  cairo_scale(cr, b.width / 2, b.height / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void roundedPath(cairo_t* cr, const Box& b, double r) {
  r = std::min({r, b.width / 2, b.height / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, b.right() - r, b.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, b.right() - r, b.bottom() - r, r, 0, M_PI / 2);
  cairo_arc(cr, b.x + r, b.bottom() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

namespace {

void ringPath(cairo_t* cr, const Box& outer, double width) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  ellipsePath(cr, outer);
  ellipsePath(cr, inset(outer, width, width));
}

}  // namespace

void drawRing(cairo_t* cr, const Box& b, Colour c, double width) {
  const Box outer = inset(b, b.width * 0.05, b.height * 0.05);
  softShadow(cr, [&](cairo_t* m) { ringPath(m, outer, width); }, 18, 24, 40, kBlack.withAlpha(0.35));
  cairo_save(cr);
  ringPath(cr, outer, width);
  setSource(cr, c);
  cairo_fill_preserve(cr);
  // A thin darker edge keeps pale rings visible on pale grounds.
  setSource(cr, c.shade(0.45).withAlpha(0.8));
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void drawArrow(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, Colour c, double width) {
  const double dx = tipX - tailX, dy = tipY - tailY;
  const double length = std::hypot(dx, dy);
  if (length < 1) return;
  const double head = std::min(width * 3.2, length * 0.5);
  const double headHalf = width * 1.7;
  const auto shape = [&](cairo_t* m) {
    cairo_save(m);
    cairo_translate(m, tailX, tailY);
    cairo_rotate(m, std::atan2(dy, dx));
    cairo_move_to(m, 0, -width / 2);
    cairo_line_to(m, length - head, -width / 2);
    cairo_line_to(m, length - head, -headHalf);
    cairo_line_to(m, length, 0);
    cairo_line_to(m, length - head, headHalf);
    cairo_line_to(m, length - head, width / 2);
    cairo_line_to(m, 0, width / 2);
    cairo_close_path(m);
    cairo_restore(m);
  };
  softShadow(cr, shape, 12, 16, 30, kBlack.withAlpha(0.3));
  cairo_save(cr);
  shape(cr);
  setSource(cr, c);
  cairo_fill_preserve(cr);
  setSource(cr, c.shade(0.45).withAlpha(0.8));
  cairo_set_line_width(cr, 6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void drawBackButton(cairo_t* cr, const Box& area) {
  const Box oval = inset(area, area.width * 0.05, area.height * 0.08);
  softShadow(cr, [&](cairo_t* m) { ellipsePath(m, oval); }, 30, 45, 90, kBlack.withAlpha(0.45));

  // Silver rim: a metallic sweep from light to dark.
  cairo_pattern_t* rim = cairo_pattern_create_linear(oval.x, oval.y, oval.right(), oval.bottom());
  cairo_pattern_add_color_stop_rgb(rim, 0.0, 0.97, 0.97, 0.98);
  cairo_pattern_add_color_stop_rgb(rim, 0.45, 0.62, 0.64, 0.68);
  cairo_pattern_add_color_stop_rgb(rim, 0.7, 0.9, 0.91, 0.93);
  cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.45, 0.47, 0.5);
  ellipsePath(cr, oval);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);

  // Gold face, lit from above.
  const double rimWidth = std::max(oval.height * 0.09, 40.0);
  const Box face = inset(oval, rimWidth, rimWidth);
  cairo_pattern_t* gold = cairo_pattern_create_radial(face.centreX(), face.y + face.height * 0.3, face.height * 0.1,
                                                      face.centreX(), face.centreY(), face.width * 0.6);
  cairo_pattern_add_color_stop_rgb(gold, 0.0, 1.0, 0.95, 0.62);
  cairo_pattern_add_color_stop_rgb(gold, 0.45, 0.98, 0.78, 0.2);
  cairo_pattern_add_color_stop_rgb(gold, 1.0, 0.72, 0.5, 0.05);
  ellipsePath(cr, face);
  cairo_set_source(cr, gold);
  cairo_fill(cr);
  cairo_pattern_destroy(gold);

  // Gloss: a soft white crescent over the upper half.
  const Box gloss{face.x + face.width * 0.12, face.y + face.height * 0.04, face.width * 0.76, face.height * 0.45};
  cairo_pattern_t* shine = cairo_pattern_create_linear(0, gloss.y, 0, gloss.bottom());
  cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.75);
  cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0.0);
  ellipsePath(cr, gloss);
  cairo_set_source(cr, shine);
  cairo_fill(cr);
  cairo_pattern_destroy(shine);

  ArabicText word(cr, "رجوع", kNaskh, std::min(face.height * 0.7, face.width * 0.36));
  const Box ink = word.ink();
  const double x = face.centreX() - ink.centreX(), y = face.centreY() - ink.centreY();
  word.paint(x + 8, y + 10, Colour::hex(0xFFF3B0, 0.7));  // a light emboss under the black
  word.paint(x, y, kBlack);
}

}  // namespace wizlo::art
