#pragma once
#include <optional>

#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/shapes.hpp"

// Where a circle's arrow goes, so that it reaches its letters clear of the rest of the sentence
// (arrow_clearance.hpp measures the drawn result). In twips, the same at every size of the image.
namespace wizlo::art {

struct ArrowEnds {
  double tailX, tailY, tipX, tipY;
  std::optional<Bend> bend = std::nullopt;  // a curved arrow's, from beside the word
};

// Its outline, and the arrow drawn, straight or curved.
void arrowPath(cairo_t* cr, const ArrowEnds& a, double width);
void drawArrow(cairo_t* cr, const ArrowEnds& a, Colour c, double width);

// What the arrow runs between and what it must keep clear of.
struct ArrowSetting {
  Box circle;              // the circle it leaves, as drawn
  Box letters;             // the ink of its letters, on the page
  Box word;                // the ink of the word they are in
  Box sentence;            // the ink of the whole sentence, on the page
  PathMaker sentenceInk;   // adds the outlines of every letter, dot and mark of it to a path
  PathMaker ownInk;        // the same, of its group's coloured letters only
  double width = 42;       // of the arrow's shaft
  double gap = 60;         // from its tip to its letters
};

// How far from its letters' ink box a tip may end and still reach them (kArrowReachPx measures the
// drawn pixels, with a pixel or two more for their edges).
inline constexpr double kArrowReach = 75;

// Today's arrow: from the top of the circle straight to below the middle of its letters.
ArrowEnds straightArrow(const ArrowSetting& s);

// The first arrow, in the order the designer would reach for them, whose outline keeps clear of
// the other ink: the straight one; one from the circle to a point further along under the letters;
// one aimed at the edge of the letters' ink; one leaving the circle's rim at a slant; then, for a mark the letter under it hides from below, one curving up
// beside the word, nearer end first, that ends level with the mark pointing across at it. Only
// those ending within reach of the letters count. None if every one crosses some other ink.
std::optional<ArrowEnds> clearArrow(const ArrowSetting& s);

}  // namespace wizlo::art
