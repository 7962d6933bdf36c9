#include <cmath>

#include "assets/generator/draw/gradient.hpp"
#include "assets/generator/icons/icons.hpp"
#include "assets/generator/icons/numbered_ring.hpp"

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

}  // namespace

void drawDisk(cairo_t* cr, int number, int sizePx) {
  const double s = sizePx;
  const double c = s / 2;
  const DiskGeometry g = geometryFor(sizePx);

  setSource(cr, kWhite);
  cairo_paint(cr);

  // A soft light from the upper left makes the disc a raised counter.
  cairo_new_sub_path(cr);
  cairo_arc(cr, c, c, g.discRadius, 0, 2 * M_PI);
  const Pattern shade =
      radialGradient(c - 0.35 * g.discRadius, c - 0.4 * g.discRadius, 0, c, c, g.discRadius,
                     {{0.0, {0.97, 1.0, 0.985}}, {0.55, Colour::hex(kMint)}, {1.0, {0.66, 0.87, 0.77}}});
  cairo_set_source(cr, shade.get());
  cairo_fill_preserve(cr);
  if (g.outline > 0) {
    setSource(cr, {0.45, 0.70, 0.58});
    cairo_set_line_width(cr, g.outline);
    cairo_stroke(cr);
  } else {
    cairo_new_path(cr);
  }

  drawNumberedRing(cr, sizePx, g.ringOuter, g.ringInner, Colour::hex(kDiskRing), number, sizePx <= 16 ? 0.86 : 0.72);
}

}  // namespace wizlo::art
