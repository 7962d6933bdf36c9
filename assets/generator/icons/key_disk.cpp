#include <algorithm>
#include <cmath>

#include "assets/generator/icons/icons.hpp"
#include "assets/generator/text/numeral.hpp"

namespace wizlo::art {

void drawKeyDisk(cairo_t* cr, int number, int sizePx) {
  const double s = sizePx;
  setSource(cr, Colour::hex(kMint));
  cairo_paint(cr);

  cairo_save(cr);
  cairo_translate(cr, s / 2, s / 2);
  cairo_scale(cr, 0.44 * s, 0.32 * s);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  setSource(cr, Colour::hex(kDiskRing));
  cairo_set_line_width(cr, std::max(1.0, s / 40));
  cairo_stroke(cr);

  // "-١": the numeral a little right of centre with a short dash before it.
  const Colour green = Colour::hex(kKeyNumeral);
  drawNumeral(cr, arabicIndic(number), Box::around(s * 0.58, s / 2, s * 0.3, s * 0.36), green);
  setSource(cr, green);
  cairo_rectangle(cr, s * 0.28, s * 0.48, s * 0.14, std::max(1.0, s * 0.05));
  cairo_fill(cr);
}

}  // namespace wizlo::art
