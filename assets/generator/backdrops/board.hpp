#pragma once
#include <cairo.h>

#include <string>

#include "assets/content.hpp"
#include "assets/generator/backdrops/ink_map.hpp"

// A matching board's backdrop: the sentence with its coloured letters, a ring
// and an arrow for every circle, the back button, the instruction, the skill
// names beside the pieces, an ornament and the credits.
namespace wizlo::art {

void drawBoard(cairo_t* cr, const BoardContent& board, InkMap& ink);

// The letters of the sentence that the drawing shows in `colour`, in reading order, read back from
// the shaped text exactly as it is painted.
std::string lettersDrawnIn(cairo_t* cr, const BoardContent& board, Rgb colour);

}  // namespace wizlo::art
