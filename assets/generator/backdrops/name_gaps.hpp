#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/backdrops/legibility.hpp"
#include "assets/generator/draw/box.hpp"
#include "forms/layout.hpp"

// Whether a pupil can tell which skill name belongs to which piece, measured on the drawn ink in
// every direction: a name in the row above or below can come as near a piece as one beside it, and
// a pupil looking for the piece's name takes whichever is nearest. Any board's content can be run
// through it, a teacher's as well.
namespace wizlo::art {

// At 1x, every other name keeps at least this far from a piece, and at least this many times as far
// as the piece's own name.
inline constexpr double kLeastOtherNameGapPx = 20;
inline constexpr double kOtherNameGapToOwn = 2;

// The rectangles of a board's pieces, in twips, by index; an empty box for a hidden one.
std::vector<Box> pieceBoxesOf(const FormLayout& board);

// The ink map's name of the skill name drawn beside piece c(`piece`).
std::string labelName(int piece);

// How near a piece its own name comes, and the nearest of the others, at 1x, from the piece's
// rectangle to the middles of the names' inked pixels.
struct PieceNameGaps {
  int piece = -1;
  double ownPx = 0;
  int nearestOther = -1;  // -1 where the board has no other name
  double otherPx = 0;
};

// A piece whose own name is not clearly the nearest: `other` is the piece whose name comes too near.
struct NameGapFault {
  int piece, other;
  double ownPx, otherPx;
  // Arabic first, then English, as a teacher reads the maker's messages; numbers counted from 1, as
  // the pieces show them.
  std::string describe() const;
};

// `pieces` are the visible pieces' rectangles in twips, by index (an empty box for a hidden one), and
// the ink map holds each name as labelName() calls it.
std::vector<PieceNameGaps> nameGaps(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces);
std::vector<NameGapFault> nameGapFaults(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces);

// Throws, naming the piece and the name, at the first fault.
void requireOwnNamesNearest(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces,
                            std::string_view picture);

}  // namespace wizlo::art
