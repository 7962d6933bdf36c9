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

double contrastRatio(Colour a, Colour b) {
  const auto luminance = [](Colour c) {
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

double letterRimWidth(Colour c, Colour ground) {
  // The ground as it lies about the letters, too: a light halo lifts it up to a third of the way to
  // white. A tenth to spare, for the soft edges and the JPEG, keeps a letter measured at 2.9:1 from
  // going without.
  const double least = 3.3;
  const bool pale = contrastRatio(c, ground) < least || contrastRatio(c, ground.shade(-1.0 / 3)) < least;
  return pale ? kBroadRimWidth : kRimWidth;
}

void strokeRim(cairo_t* cr, Colour c, double width) {
  cairo_save(cr);
  setSource(cr, rimOf(c));
  cairo_set_line_width(cr, 2 * width);
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

namespace {

// Shadow, rim and fill, as every arrow has them.
void drawArrowShape(cairo_t* cr, const PathMaker& shape, Colour c) {
  softShadow(cr, shape, 12, 16, 30, kBlack.withAlpha(0.3));
  shape(cr);
  strokeRim(cr, c);
  shape(cr);
  setSource(cr, c);
  cairo_fill(cr);
}

}  // namespace

void drawArrow(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, Colour c, double width) {
  drawArrowShape(cr, [&](cairo_t* m) { arrowPath(m, tailX, tailY, tipX, tipY, width); }, c);
}

void curvedArrowPath(cairo_t* cr, double tailX, double tailY, const Bend& bend, double tipX, double tipY, double width) {
  const double ax = tipX - bend.x2, ay = tipY - bend.y2, along = std::hypot(ax, ay);
  if (along < 1) return;
  const double head = std::min(width * 3.2, along * 0.9), headHalf = width * 1.7;  // as the straight one's
  const double ux = ax / along, uy = ay / along;  // the way the head points
  const double baseX = tipX - head * ux, baseY = tipY - head * uy;
  // The shaft's two edges, offset from the curve by half its width at points close enough that the
  // polygon reads as smooth at 2x.
  constexpr int kSteps = 40;
  double left[kSteps + 1][2], right[kSteps + 1][2];
  for (int i = 0; i <= kSteps; ++i) {
    const double t = double(i) / kSteps, u = 1 - t;
    const double x = u * u * u * tailX + 3 * u * u * t * bend.x1 + 3 * u * t * t * bend.x2 + t * t * t * baseX;
    const double y = u * u * u * tailY + 3 * u * u * t * bend.y1 + 3 * u * t * t * bend.y2 + t * t * t * baseY;
    double dx = 3 * u * u * (bend.x1 - tailX) + 6 * u * t * (bend.x2 - bend.x1) + 3 * t * t * (baseX - bend.x2);
    double dy = 3 * u * u * (bend.y1 - tailY) + 6 * u * t * (bend.y2 - bend.y1) + 3 * t * t * (baseY - bend.y2);
    const double d = std::hypot(dx, dy);
    if (d > 0) dx /= d, dy /= d;
    else dx = ux, dy = uy;
    left[i][0] = x + dy * width / 2, left[i][1] = y - dx * width / 2;
    right[i][0] = x - dy * width / 2, right[i][1] = y + dx * width / 2;
  }
  cairo_move_to(cr, left[0][0], left[0][1]);
  for (int i = 1; i <= kSteps; ++i) cairo_line_to(cr, left[i][0], left[i][1]);
  cairo_line_to(cr, baseX + uy * headHalf, baseY - ux * headHalf);
  cairo_line_to(cr, tipX, tipY);
  cairo_line_to(cr, baseX - uy * headHalf, baseY + ux * headHalf);
  for (int i = kSteps; i >= 0; --i) cairo_line_to(cr, right[i][0], right[i][1]);
  cairo_close_path(cr);
}

void drawCurvedArrow(cairo_t* cr, double tailX, double tailY, const Bend& bend, double tipX, double tipY, Colour c,
                     double width) {
  drawArrowShape(cr, [&](cairo_t* m) { curvedArrowPath(m, tailX, tailY, bend, tipX, tipY, width); }, c);
}

}  // namespace wizlo::art
