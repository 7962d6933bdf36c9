#include <cmath>

#include "assets/generator/draw/gradient.hpp"
#include "assets/generator/icons/icons.hpp"
#include "assets/generator/text/numeral.hpp"

namespace wizlo::art {

namespace {

struct DiskGeometry {
  double discRadius;  // the mint disc
  double ringOuter;   // the red ring's outer and inner edges
  double ringInner;
  double outline;  // width of the disc's darker edge
};

// The ring's edges sit on whole pixels where the ring crosses the axes, so
// its top, bottom and sides are sharp; small sizes get a ring that is thicker
// for their size, or it would fade into the mint.
DiskGeometry geometryFor(int size) {
  if (size <= 16) return {8.0, 7.0, 5.5, 0.0};
  if (size <= 32) return {15.75, 14.0, 11.5, 1.0};
  if (size <= 48) return {23.5, 21.0, 18.0, 1.0};
  const double s = size;
  const double outer = std::round(s * 0.44);
  return {s / 2 - s / 96, outer, outer - std::round(s * 0.055), s / 64};
}

void circle(cairo_t* cr, double c, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, c, c, r, 0, 2 * M_PI);
}

}  // namespace

void drawDisk(cairo_t* cr, int number, int sizePx) {
  const double s = sizePx;
  const double c = s / 2;
  const DiskGeometry g = geometryFor(sizePx);

  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);

  // A soft light from the upper left makes the disc a raised counter.
  circle(cr, c, g.discRadius);
  const Pattern shade = radialGradient(c - 0.35 * g.discRadius, c - 0.4 * g.discRadius, 0, c, c, g.discRadius,
                                       {{0.0, {0.97, 1.0, 0.985}}, {0.55, Colour::of(kMint)}, {1.0, {0.66, 0.87, 0.77}}});
  cairo_set_source(cr, shade.get());
  cairo_fill_preserve(cr);
  if (g.outline > 0) {
    cairo_set_source_rgb(cr, 0.45, 0.70, 0.58);
    cairo_set_line_width(cr, g.outline);
    cairo_stroke(cr);
  } else {
    cairo_new_path(cr);
  }

  circle(cr, c, g.ringOuter);
  circle(cr, c, g.ringInner);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  const Rgb red = kDiskRing;
  cairo_set_source_rgb(cr, red.red(), red.green(), red.blue());
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  const double inside = 2 * g.ringInner;
  drawNumeral(cr, arabicIndic(number), Box::around(c, c, inside * 0.8, inside * (sizePx <= 16 ? 0.86 : 0.72)),
              kNumeral);
}

}  // namespace wizlo::art
