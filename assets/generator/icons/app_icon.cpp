#include <algorithm>
#include <cmath>

#include "assets/generator/draw/gradient.hpp"
#include "assets/generator/icons/icons.hpp"

namespace wizlo::art {

namespace {

struct Metal {
  Colour light, mid, dark, edge;
};
constexpr Metal kCopper = {{1.00, 0.78, 0.52}, {0.90, 0.47, 0.16}, {0.58, 0.25, 0.06}, {0.33, 0.14, 0.03}};
constexpr Metal kGold = {{1.00, 0.96, 0.66}, {0.96, 0.76, 0.16}, {0.70, 0.50, 0.04}, {0.40, 0.27, 0.02}};

struct Gear {
  double cx, cy;
  int teeth;
  double rootRadius, tipRadius, holeRadius;
  double phase;  // angle of the first tooth's centre
};

// One gear outline: trapezoid teeth on a root circle, and the axle hole as a
// second sub-path so an even-odd fill leaves it open.
void gearPath(cairo_t* cr, const Gear& g) {
  const double pitch = 2 * M_PI / g.teeth;
  cairo_new_sub_path(cr);
  for (int i = 0; i < g.teeth; ++i) {
    const double a = g.phase + i * pitch;
    const double base = pitch * 0.29;  // half the tooth's width at the root
    const double top = pitch * 0.18;   // and at the tip
    cairo_arc(cr, g.cx, g.cy, g.rootRadius, a - pitch + base, a - base);
    cairo_line_to(cr, g.cx + g.tipRadius * std::cos(a - top), g.cy + g.tipRadius * std::sin(a - top));
    cairo_arc(cr, g.cx, g.cy, g.tipRadius, a - top, a + top);
    cairo_line_to(cr, g.cx + g.rootRadius * std::cos(a + base), g.cy + g.rootRadius * std::sin(a + base));
  }
  cairo_close_path(cr);
  if (g.holeRadius > 0) {
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, g.cx, g.cy, g.holeRadius, 2 * M_PI, 0);
  }
}

void paintGear(cairo_t* cr, const Gear& g, const Metal& m, double size) {
  const bool small = size <= 16;
  // At 16 pixels a full-pixel outline would swallow the teeth.
  const double edge = small ? 0.7 : std::max(1.0, size / 64);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);

  // Lit from the upper left: light on that side, dark towards the lower right.
  gearPath(cr, g);
  const double r = g.tipRadius;
  const Pattern shade =
      linearGradient(g.cx - r, g.cy - r, g.cx + r, g.cy + r, {{0.0, m.light}, {0.45, m.mid}, {1.0, m.dark}});
  cairo_set_source(cr, shade.get());
  cairo_fill_preserve(cr);
  setSource(cr, m.edge);
  cairo_set_line_width(cr, edge);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  if (small) return;
  // A raised hub: a groove circle darker below, brighter above.
  const double hub = (g.holeRadius + g.rootRadius) / 2 + edge;
  const Pattern groove = linearGradient(g.cx - hub, g.cy - hub, g.cx + hub, g.cy + hub,
                                        {{0.0, m.dark.withAlpha(0.9)}, {1.0, m.light.withAlpha(0.9)}});
  cairo_arc(cr, g.cx, g.cy, hub, 0, 2 * M_PI);
  cairo_set_source(cr, groove.get());
  cairo_set_line_width(cr, std::max(1.0, size / 40));
  cairo_stroke(cr);
}

}  // namespace

void drawAppIcon(cairo_t* cr, int sizePx) {
  const double s = sizePx;
  const bool tiny = sizePx <= 16;
  // Both gears have teeth of one pitch, so the small gear's radius follows
  // from the tooth counts, and the centres lie one pitch radius apart each.
  const int bigTeeth = tiny ? 8 : 10, smallTeeth = tiny ? 6 : 7;
  const double bigPitch = (tiny ? 0.31 : 0.30) * s, smallPitch = bigPitch * smallTeeth / bigTeeth;
  const double depth = (tiny ? 0.07 : 0.04) * s;  // half a tooth's height
  const double bigX = 0.37 * s, bigY = 0.63 * s;
  const double toward = -M_PI / 4;  // the small gear sits up and to the right
  const double distance = bigPitch + smallPitch;
  Gear big{bigX, bigY, bigTeeth, bigPitch - depth, bigPitch + depth, (tiny ? 0.08 : 0.095) * s, 0};
  Gear small{bigX + distance * std::cos(toward), bigY + distance * std::sin(toward), smallTeeth,
             smallPitch - depth, smallPitch + depth, (tiny ? 0.05 : 0.06) * s, 0};
  // Along the line between the centres a gap of the big gear takes a tooth of the small one.
  big.phase = toward + M_PI / big.teeth;
  small.phase = toward + M_PI;

  // Fit the pair inside the square with a small margin, whatever the tooth
  // counts made of their extent.
  const double margin = tiny ? 0.5 : s * 0.03;
  const double left = std::min(big.cx - big.tipRadius, small.cx - small.tipRadius);
  const double right = std::max(big.cx + big.tipRadius, small.cx + small.tipRadius);
  const double top = std::min(big.cy - big.tipRadius, small.cy - small.tipRadius);
  const double bottom = std::max(big.cy + big.tipRadius, small.cy + small.tipRadius);
  const double fit = (s - 2 * margin) / std::max(right - left, bottom - top);
  for (Gear* g : {&big, &small}) {
    g->cx = s / 2 + (g->cx - (left + right) / 2) * fit;
    g->cy = s / 2 + (g->cy - (top + bottom) / 2) * fit;
    g->rootRadius *= fit;
    g->tipRadius *= fit;
    g->holeRadius *= fit;
  }

  if (sizePx >= 48) {
    // A soft drop shadow, so the gears stand off a desktop of any colour.
    for (int step = 3; step >= 1; --step) {
      cairo_save(cr);
      cairo_translate(cr, s * 0.015, s * 0.025);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      gearPath(cr, big);
      gearPath(cr, small);
      setSource(cr, kBlack.withAlpha(0.10));
      cairo_set_line_width(cr, step * s / 64);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
      cairo_fill(cr);
      cairo_restore(cr);
    }
  }
  paintGear(cr, small, kGold, s);
  paintGear(cr, big, kCopper, s);
}

}  // namespace wizlo::art
