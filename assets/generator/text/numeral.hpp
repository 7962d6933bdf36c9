#pragma once
#include <cairo.h>

#include <string>

#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/colour.hpp"

namespace wizlo::art {

// The number in Arabic-Indic digits, most significant first: 10 is "١٠".
std::string arabicIndic(int number);

// Draws a text, usually a number, as large as fits in the box, its ink (not
// its line box) centred there, so a numeral sits in the middle of its disc
// whatever its shape. Every digit of one font gets the same height: ١ and ١٠
// look like one family, and ١٠ is only narrowed when it would not fit.
void drawNumeral(cairo_t* cr, const std::string& text, const Box& box, Colour colour);

}  // namespace wizlo::art
