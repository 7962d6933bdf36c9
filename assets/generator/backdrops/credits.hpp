#pragma once
#include <cairo.h>

#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/colour.hpp"

// The three credit blocks along the foot of a backdrop. They name roles, not
// people, and a school of our own.
namespace wizlo::art {

struct CreditColours {
  Colour role;    // the small heading line of each block
  Colour name;    // the line under it
  Colour school;  // the school's name
  Colour programming;  // both lines of the programming block
};

// Where the blocks go: the programming block always fills `programming` (the
// web-site hot spot where a form has one); `schoolAtRight` swaps the school
// and the idea blocks, as on the practice pages.
struct CreditPlaces {
  Box programming;
  double top = 0, bottom = 0;
  bool schoolAtRight = false;
  double schoolSize = 330;
};

void drawCredits(cairo_t* cr, const CreditPlaces& places, const CreditColours& colours);

}  // namespace wizlo::art
