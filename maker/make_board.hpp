#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "forms/picture.hpp"
#include "maker/plan.hpp"
#include "maker/problem.hpp"

// A board file made into a board: read, laid out, drawn at 1x and 2x with the program's own art
// generator, checked, and packed; the pack read back as the program reads it.
namespace wizlo::maker {

struct MadeBoard {
  Problems problems;                   // empty: the board is good
  Problems notes;                      // what the teacher should know of a good board too
  std::unique_ptr<PlannedBoard> plan;  // none: it could not be laid out
  std::vector<std::uint8_t> pack;      // once laid out, even with problems the drawing shows
};

struct MakingTimes {
  double drawn[2] = {0, 0};  // the backdrop at 1x and at 2x, drawn and encoded, in milliseconds
  double checked = 0;
};

// `times`, where given, is told how long the steps took. Without `checks`, the drawing is not judged:
// for a board a teacher already made, shared as a link and only to be played, whose pack the
// program's reader checks as it checks any.
MadeBoard makeBoard(std::string_view boardFile, MakingTimes* times = nullptr, bool checks = true);

// A board's backdrop alone at one size, for a page that draws it again as a teacher types: laid out
// and drawn, not checked or packed. None where it cannot be laid out, with `made` saying why.
std::optional<Bitmap> previewBoard(std::string_view boardFile, int width, int height, MadeBoard& made);

// The steps wherever the maker runs, the browser too: the faces there, the file read, the board laid
// out (`measure` measures its text). False, with `made` saying why, where it went no further.
bool readAndPlan(std::string_view boardFile, cairo_t* measure, MadeBoard& made);

}  // namespace wizlo::maker
