#include <algorithm>

#include "assets/generator/icons/icons.hpp"

namespace wizlo::art {

namespace {

struct Point {
  double x, y;
};

void addStrokes(cairo_t* cr, Mark mark, double s) {
  const auto line = [cr, s](std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
      if (first)
        cairo_move_to(cr, p.x * s, p.y * s);
      else
        cairo_line_to(cr, p.x * s, p.y * s);
      first = false;
    }
  };
  if (mark == Mark::Yes) {
    line({{0.17, 0.54}, {0.40, 0.77}, {0.84, 0.24}});
  } else {
    line({{0.24, 0.24}, {0.76, 0.76}});
    line({{0.76, 0.24}, {0.24, 0.76}});
  }
}

void strokeWith(cairo_t* cr, Mark mark, double s, double width, Colour colour) {
  addStrokes(cr, mark, s);
  cairo_set_line_width(cr, width);
  setSource(cr, colour);
  cairo_stroke(cr);
}

}  // namespace

void drawMark(cairo_t* cr, Mark mark, int sizePx) {
  const double s = sizePx;
  const double body = s * 0.16;
  const double edge = std::max(1.25, s * 0.035);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // A soft shadow below and to the right lifts the mark off any ground.
  cairo_save(cr);
  cairo_translate(cr, s * 0.025, s * 0.035);
  strokeWith(cr, mark, s, body + 2 * edge + s * 0.03, kBlack.withAlpha(0.18));
  cairo_restore(cr);

  const Colour colour = Colour::hex(mark == Mark::Yes ? kMarkYes : kMarkNo);
  // The dark outline goes under the whole mark first, so where the cross's
  // strokes meet no outline shows across them.
  strokeWith(cr, mark, s, body + 2 * edge, colour.shade(0.65).withAlpha(0.9));
  strokeWith(cr, mark, s, body, colour);
  if (sizePx >= 64) {
    // A glint along the upper side of the stroke, as on a glossy sticker.
    cairo_save(cr);
    cairo_translate(cr, -s * 0.012, -s * 0.018);
    strokeWith(cr, mark, s, body * 0.3, kWhite.withAlpha(0.35));
    cairo_restore(cr);
  }
}

}  // namespace wizlo::art
