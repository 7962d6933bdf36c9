#include "assets/generator/draw/gradient.hpp"

namespace wizlo::art {
namespace {

Pattern withStops(Pattern pattern, std::span<const Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(pattern.get(), s.at, s.colour.r, s.colour.g, s.colour.b, s.colour.a);
  return pattern;
}

}  // namespace

Pattern linearGradient(double x0, double y0, double x1, double y1, std::span<const Stop> stops) {
  return withStops(Pattern{cairo_pattern_create_linear(x0, y0, x1, y1)}, stops);
}

Pattern radialGradient(double x0, double y0, double r0, double x1, double y1, double r1,
                       std::initializer_list<Stop> stops) {
  return withStops(Pattern{cairo_pattern_create_radial(x0, y0, r0, x1, y1, r1)},
                   std::span<const Stop>(stops.begin(), stops.size()));
}

void fillWith(cairo_t* cr, const Pattern& pattern) {
  cairo_set_source(cr, pattern.get());
  cairo_fill(cr);
}

void paintWith(cairo_t* cr, const Pattern& pattern) {
  cairo_set_source(cr, pattern.get());
  cairo_paint(cr);
}

}  // namespace wizlo::art
