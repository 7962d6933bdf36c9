#pragma once
#include <cairo.h>

#include <initializer_list>
#include <span>

#include "assets/generator/draw/colour.hpp"
#include "assets/generator/draw/owned.hpp"

namespace wizlo::art {

struct Stop {
  double at;  // 0 at the gradient's start, 1 at its end
  Colour colour;
};

// A gradient running from (x0, y0) to (x1, y1).
Pattern linearGradient(double x0, double y0, double x1, double y1, std::span<const Stop> stops);
inline Pattern linearGradient(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
  return linearGradient(x0, y0, x1, y1, std::span<const Stop>(stops.begin(), stops.size()));
}
// A gradient from the circle at (x0, y0) of radius r0 to the one at (x1, y1) of radius r1.
Pattern radialGradient(double x0, double y0, double r0, double x1, double y1, double r1,
                       std::initializer_list<Stop> stops);

// Fills the current path, or paints everything inside the clip, with a gradient or any other pattern.
void fillWith(cairo_t* cr, const Pattern& pattern);
void paintWith(cairo_t* cr, const Pattern& pattern);

}  // namespace wizlo::art
