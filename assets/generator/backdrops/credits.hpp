#pragma once
#include <cairo.h>

#include "assets/content.hpp"
#include "assets/generator/backdrops/ink_map.hpp"
#include "assets/generator/draw/box.hpp"

// The three credit blocks along the foot of a backdrop, their words those of
// the menu's content file.
namespace wizlo::art {

// Where the blocks go: the programming block always fills `programming` (the
// web-site hot spot where a form has one); `schoolAtRight` swaps the school
// and the idea blocks, as on the practice pages.
struct CreditPlaces {
  Box programming;
  double top = 0, bottom = 0;
  bool schoolAtRight = false;
  double schoolSize = 330;
  const Credits* words = nullptr;  // none: the menu's, kCredits
};

void drawCredits(cairo_t* cr, const CreditPlaces& places, const CreditColours& colours, InkMap& ink);

}  // namespace wizlo::art
