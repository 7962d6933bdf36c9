#pragma once
#include <functional>

#include "forms/layout.hpp"

// What makes a layout a board the program can show and the board behaviour can play, whoever made
// it: the rules every pack's layout is held to before anything is made from it, and that the board
// maker holds its own layouts to.
namespace wizlo::packs {

// A teacher's board has the window of the program's own boards.
inline constexpr Twips kBoardWidth = 13575, kBoardHeight = 9120;
inline constexpr Rect kBackdropRect = {0, 0, 13575, 9135};  // one pixel row more, as on every board
inline constexpr int kMaxCircles = 12;
inline constexpr int kMaxDecoys = 3;
inline constexpr int kMaxPieces = kMaxCircles + kMaxDecoys;

// Throws PackError naming the first rule broken:
// - the window's size, and every control on whole pixels, inside it and reachable by the pointer at
//   its middle (the backdrop Image1 last, exactly the board's size, and nothing else covering it);
// - only the board's controls: c, g and l arrays without gaps, g and l over the same 1 to 12
//   circles, at most 3 pieces more than circles; one each of Image1, Imy, Imn, rrr and wex;
// - each as the behaviour needs it: keys hidden and tagged 1 to N, circles empty, visible, enabled
//   and draggable, every piece visible with a picture, a drag icon and a tag of its own; every key's
//   tag on exactly one piece; the marks the program's own, hidden; the hot spots empty;
// - every picture named one that `known` accepts, shown stretched.
void checkBoardLayout(const FormLayout& layout, const std::function<bool(const PictureKey&)>& known);

}  // namespace wizlo::packs
