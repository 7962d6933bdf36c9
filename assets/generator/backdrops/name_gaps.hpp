#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/backdrops/legibility.hpp"
#include "assets/generator/draw/box.hpp"
#include "forms/layout.hpp"

// Whether a pupil can tell which skill name belongs to which piece, measured on the drawn ink: of the
// names level with a piece (some of their ink within its rows), its own must be clearly the nearest.
// A pupil reads a row, number then name; the names of the rows above and below are kept clear of the
// pieces by the placement's own margin, and could not keep 20 px from them: the layouts stack the
// tiles' rows 32 to 40 px apart. Any board's content can be run through it, a teacher's as well.
namespace wizlo::art {

// At 1x, every other name level with a piece keeps at least this far from it, and at least this many
// times as far as the piece's own name, which must be level with it.
inline constexpr double kLeastOtherNameGapPx = 20;
inline constexpr double kOtherNameGapToOwn = 2;

// The rectangles of a board's pieces, in twips, by index; an empty box for a hidden one.
std::vector<Box> pieceBoxesOf(const FormLayout& board);

// The ink map's name of the skill name drawn beside piece c(`piece`).
std::string labelName(int piece);

// A piece whose own name is not clearly the nearest: `other` is the piece whose name comes too near.
struct NameGapFault {
  int piece, other;
  double ownPx, otherPx;  // gaps at 1x, from the piece's rectangle to the names' ink
  std::string describe() const;
};

// Every fault of a board: `pieces` are the visible pieces' rectangles in twips, by index (an empty box
// for a hidden one), and the ink map holds each name as labelName() calls it.
std::vector<NameGapFault> nameGapFaults(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces);

// Throws, naming the piece and the name, at the first fault.
void requireOwnNamesNearest(const InkPixels& pixels, const InkMap& ink, std::span<const Box> pieces,
                            std::string_view picture);

}  // namespace wizlo::art
