#include "assets/generator/icons/numbered_ring.hpp"

#include <cmath>

#include "assets/generator/icons/palette.hpp"
#include "assets/generator/text/numeral.hpp"

namespace wizlo::art {

void drawNumberedRing(cairo_t* cr, int sizePx, double outerRadius, double innerRadius, Colour ring, int number,
                      double numeralHeight) {
  const double c = sizePx / 2.0;
  for (double radius : {outerRadius, innerRadius}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c, c, radius, 0, 2 * M_PI);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  setSource(cr, ring);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  const double inside = 2 * innerRadius;
  drawNumeral(cr, arabicIndic(number), Box::around(c, c, inside * 0.8, inside * numeralHeight), Colour::hex(kNumeral));
}

}  // namespace wizlo::art
