#pragma once
#include <cairo.h>

#include "assets/generator/draw/colour.hpp"

namespace wizlo::art {

// What every piece's face has: a ring round the middle of its square, and its
// number inside the ring, the digits filling `numeralHeight` of the ring's
// inner height. The caller chooses the radii so the edges fall on whole pixels.
void drawNumberedRing(cairo_t* cr, int sizePx, double outerRadius, double innerRadius, Colour ring, int number,
                      double numeralHeight);

}  // namespace wizlo::art
