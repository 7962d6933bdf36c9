#pragma once
#include <cairo.h>

#include <vector>

#include "assets/generator/backdrops/ink_map.hpp"
#include "forms/picture.hpp"
#include "maker/plan.hpp"
#include "maker/problem.hpp"

// Every check the program's own boards pass, run on a teacher's board as it was drawn: each group's
// colour falls on exactly its letters in the shaped text; everything a pupil reads stands out 3:1
// from its ground at 1x and at 2x; the words one gap apart; the skill names clear of each other, of
// the instruction and of every control, and each piece's own name clearly the nearest to it (at 1x a
// gap of at least 20 px, and twice the gap to its own, to every other name, on the ink); everything
// inside the window; every piece and circle on plain ground; each arrow clear of the sentence's other
// letters, dots and marks. Each problem names the line of the file
// whose text it is about.
namespace wizlo::maker {

// A backdrop as the program shows it: the JPEG decoded, and where the generator drew each thing.
struct DrawnBackdrop {
  Bitmap image;
  art::InkMap ink;
};

Problems checkBoard(cairo_t* measure, const PlannedBoard& plan, const std::vector<DrawnBackdrop>& backdrops,
                    std::uint32_t tileGround);

}  // namespace wizlo::maker
