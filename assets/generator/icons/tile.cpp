#include <cmath>

#include "assets/generator/icons/icons.hpp"
#include "assets/generator/text/numeral.hpp"

namespace wizlo::art {

namespace {

struct TileGeometry {
  double ringOuter;
  double ringInner;
};

// A thin ring whose edges fall on whole pixels at its top, bottom and sides.
TileGeometry geometryFor(int size) {
  if (size <= 16) return {7.5, 6.25};
  if (size <= 32) return {15.0, 13.0};
  const double s = size;
  return {std::round(s * 0.47), std::round(s * 0.47) - std::round(s * 0.05)};
}

}  // namespace

void drawTile(cairo_t* cr, const TileColours& colours, int number, int sizePx) {
  const double s = sizePx;
  const double c = s / 2;
  const TileGeometry g = geometryFor(sizePx);
  // The ground is opaque and exactly the board's, so nothing of the square shows.
  cairo_set_source_rgb(cr, colours.ground.red(), colours.ground.green(), colours.ground.blue());
  cairo_paint(cr);

  cairo_new_sub_path(cr);
  cairo_arc(cr, c, c, g.ringOuter, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, c, c, g.ringInner, 0, 2 * M_PI);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_source_rgb(cr, colours.ring.red(), colours.ring.green(), colours.ring.blue());
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  const double inside = 2 * g.ringInner;
  drawNumeral(cr, arabicIndic(number), Box::around(c, c, inside * 0.8, inside * (sizePx <= 16 ? 0.8 : 0.72)),
              kNumeral);
}

}  // namespace wizlo::art
