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

// The rim that keeps a pale colour readable on a pale ground: its own hue, dark, and this wide
// outside the shape's edge (1.6 px at 1x).
inline constexpr double kRimWidth = 24;
// Letters whose colour stands out less than 3:1 from the ground by itself take a rim this broad
// (2.8 px at 1x): the eye then reads the colour inside as the letter, not a hollow outline.
inline constexpr double kBroadRimWidth = 42;
constexpr Colour rimOf(Colour c) { return c.shade(0.68); }
// WCAG's contrast ratio of two opaque colours.
double contrastRatio(Colour a, Colour b);
// The rim letters of colour `c` take on `ground`: the broad one where the colour alone stands out
// less than 3:1.
double letterRimWidth(Colour c, Colour ground);
// Strokes the rim around the current path, clearing it; the shape is filled afterwards, over the
// rim's inner half.
void strokeRim(cairo_t* cr, Colour c, double width = kRimWidth);

void paintFlat(cairo_t* cr, Colour c);

// A blurred copy of a shape, offset, for shadows and glows.
void softShadow(cairo_t* cr, const PathMaker& shape, double dx, double dy, double blur, Colour c);

void ellipsePath(cairo_t* cr, const Box& b, bool anticlockwise = false);

// An open ring filling the box, rimmed, with a faint shadow, ground showing inside.
void ringPath(cairo_t* cr, const Box& b, double width);
void drawRing(cairo_t* cr, const Box& b, Colour c, double width);
// An arrow from `tail` to `tip`, its head at the tip, rimmed.
void arrowPath(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, double width);
void drawArrow(cairo_t* cr, double tailX, double tailY, double tipX, double tipY, Colour c, double width);
// The same arrow with its shaft bent along the cubic from `tail` by the two control points; its head
// lies along the last of them to the tip, so the shaft runs smoothly into it.
struct Bend {
  double x1, y1, x2, y2;
};
void curvedArrowPath(cairo_t* cr, double tailX, double tailY, const Bend& bend, double tipX, double tipY, double width);
void drawCurvedArrow(cairo_t* cr, double tailX, double tailY, const Bend& bend, double tipX, double tipY, Colour c,
                     double width);

}  // namespace wizlo::art
