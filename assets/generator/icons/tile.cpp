#include <cmath>

#include "assets/generator/icons/icons.hpp"
#include "assets/generator/icons/numbered_ring.hpp"

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
  const TileGeometry g = geometryFor(sizePx);
  // The ground is opaque and exactly the board's, so nothing of the square shows.
  setSource(cr, colours.ground);
  cairo_paint(cr);

  drawNumberedRing(cr, sizePx, g.ringOuter, g.ringInner, colours.ring, number, sizePx <= 16 ? 0.8 : 0.72);
}

}  // namespace wizlo::art
