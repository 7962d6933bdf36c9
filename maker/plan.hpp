#pragma once
#include <cairo.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "assets/content.hpp"
#include "maker/board_file.hpp"
#include "maker/problem.hpp"

// A teacher's board laid out by the maker itself: the sentence across the top at the largest size
// that fits, a circle under each group as near below its letters as the circles' spacing allows, the
// back button, the marks and the instruction in a band below them, the pieces in a grid of rows read
// right to left with each skill's name beside its piece, and the credits along the foot. The layout
// table and what the backdrop draws, both, as the program's own content files hold them.
namespace wizlo::maker {

// A piece of the board: which skill it names, and the circle it fits (none for a decoy).
struct Piece {
  std::string skill;
  int skillLine = 0;
  int circle = -1;
};

struct PlannedBoard {
  PlannedBoard() = default;
  PlannedBoard(const PlannedBoard&) = delete;
  PlannedBoard& operator=(const PlannedBoard&) = delete;

  std::deque<std::string> texts;  // what the layout and content view
  std::vector<ImageLayout> controls;
  FormLayout form;
  std::vector<MarkedLetters> circles, alsoColoured;
  std::vector<std::string_view> skills;  // by piece index
  Credits credits;
  BoardContent content;
  std::vector<Piece> pieces;            // by piece index
  std::vector<int> groupLines;          // by circle index: the file's line of its letters
  int sentenceLine = 0, instructionLine = 0;
};

// Pieces' own pictures: the tiles, and the disks the program's catalogue has none of.
inline constexpr int kCatalogueDisks = 10;
std::string tileKey(int number);
std::string diskKey(int number);
inline constexpr std::string_view kBackdropKey = "backdrop";

// The layout, or nothing and the problems that kept it from being made (a sentence too long for the
// board, a skill's name too long for its row). `cr` measures text, in twips.
std::unique_ptr<PlannedBoard> planBoard(cairo_t* cr, const BoardFile& file, Problems& problems);

}  // namespace wizlo::maker
