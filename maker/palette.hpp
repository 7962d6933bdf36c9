#pragma once
#include <cstddef>
#include <vector>

#include "assets/content.hpp"

// The colours of a teacher's board: the ground, the text, and one colour a group of letters, picked
// as the program's own boards pick theirs: each group's far from every other's and from the black
// text, and dark or bright enough to stand out from the ground with the rim the generator draws.
namespace wizlo::maker {

struct BoardColours {
  Rgb ground, tileRing, text, instruction, ornament;
  CreditColours credits;
};
extern const BoardColours kTeacherColours;

// Colours for `count` groups (at most 12), neighbours in the sentence given the most different ones.
std::vector<Rgb> groupColours(std::size_t count);

// How far apart two colours look: CIE76 distance in L*a*b*.
double colourDistance(Rgb a, Rgb b);
// The least distance two group colours keep, and each keeps from the text.
inline constexpr double kLeastColourDistance = 25;

}  // namespace wizlo::maker
