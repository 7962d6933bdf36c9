#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/backdrops/legibility.hpp"

// Whether each arrow of a board reaches its letters clear of the rest of the sentence, measured on
// the drawn ink: an arrow over another letter, a dot or a mark hides it and points at the wrong one,
// and one that stops short of its letters points at whatever lies nearer. The words and each
// group's coloured letters are in the ink map ("word k", "g(i) letters"), and so is each arrow
// ("g(i) arrow"); any board's content can be run through it, a teacher's as well.
namespace wizlo::art {

// How much of the sentence's other ink an arrow may cover, in pixels at 1x: what the anti-aliasing
// of two outlines that only touch adds up to, with room to spare. Two disjoint outlines never cover
// more than a whole pixel between them; measured, a shaft 3 px wide standing on a word's edge
// between two pixels comes to 0.008 px at 1x and 0.005 at 2x, every arrow of the four boards to
// none, a shaft 1 px into a letter to 2.7 px and the straight arrow up to a lone sukun to 41.5.
inline constexpr double kArrowCrossingTolerancePx = 0.5;

// How far an arrow's ink may end from the box of its own letters' ink, in pixels at 1x, between the
// middles of pixels either covers at least half: the 4 px gap an arrow is drawn with, the pixel or
// two the half-covered edges add, and one to spare. The box and not the ink itself, as an arrow
// under a whole word points at its middle, below the foot a tail like final م gives the word: the
// four boards' arrows measure 6 px at most at 1x and 2x (to the ink itself, over 14 px under استخدم),
// the straight arrow that stops under the letter of a lone sukun 56.
inline constexpr double kArrowReachPx = 7;

// An arrow over ink of the sentence that is not its own group's letters, or ending short of them.
struct ArrowFault {
  int group;
  double coveredPx;  // the area both must share, in pixels at 1x
  double gapPx;      // from its ink to its letters' box, in pixels at 1x; infinite with no letters drawn
  bool crosses() const { return coveredPx > kArrowCrossingTolerancePx; }
  std::string describe() const;
};

// Every arrow that covers more than the tolerance of other ink or ends beyond the reach.
std::vector<ArrowFault> arrowFaults(const InkPixels& pixels, const InkMap& ink);

// Throws, naming the group, at the first fault.
void requireArrowsClear(const InkPixels& pixels, const InkMap& ink, std::string_view picture);

}  // namespace wizlo::art
