#pragma once
#include <cairo.h>

#include <functional>

#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/colour.hpp"
#include "assets/generator/draw/gradient.hpp"

// The shapes and fills the backdrops are drawn from, on a page measured in twips.
namespace wizlo::art {

inline constexpr double kPageWidth = 13575, kPageHeight = 9135;

using PathMaker = std::function<void(cairo_t*)>;

void paintFlat(cairo_t* cr, Colour c);

// A blurred copy of a shape, offset, for shadows and glows.
void softShadow(cairo_t* cr, const PathMaker& shape, double dx, double dy, double blur, Colour c);

void ellipsePath(cairo_t* cr, const Box& b, bool anticlockwise = false);

// An open ring filling the box, with a faint shadow, ground showing inside.
void ringPath(cairo_t* cr, const Box& b, double width);
void drawRing(cairo_t* cr, const Box& b, Colour c, double width);
// An arrow from `tail` to `tip`, its head at the tip.
void arrowPath(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, double width);
void drawArrow(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, Colour c, double width);

}  // namespace wizlo::art
