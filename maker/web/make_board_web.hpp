#pragma once
#include <string_view>

#include "maker/board_checks.hpp"
#include "maker/make_board.hpp"

// The browser's makeBoard, with how long each step took.
namespace wizlo::maker {

struct MakingTimes {
  double drawn[2] = {0, 0};  // the backdrop at 1x and at 2x, in milliseconds
  double checked = 0;
};

MadeBoard makeBoardTimed(std::string_view boardFile, MakingTimes* times);

// A planned board's backdrop drawn at one size, its pixels as the checks take them.
DrawnBackdrop drawBackdropPixels(const BoardContent& content, int width, int height);

}  // namespace wizlo::maker
