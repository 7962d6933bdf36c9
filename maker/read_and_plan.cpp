#include "maker/make_board.hpp"

#include <exception>
#include <string>

#include "assets/generator/text/fonts.hpp"

namespace wizlo::maker {

bool readAndPlan(std::string_view boardFile, cairo_t* measure, MadeBoard& made) {
  try {
    art::requireFonts();
  } catch (const std::exception& e) {
    made.problems.push_back({0, "خطوط نوتو العربية غير مثبتة، ويلزم تثبيت الحزمة fonts-noto-core.",
                             std::string(e.what()) + ". Install the package fonts-noto-core."});
    return false;
  }
  ReadBoard read = readBoardFile(boardFile);
  made.notes = std::move(read.notes);
  if (!read.board) {
    made.problems = std::move(read.problems);
    return false;
  }
  made.plan = planBoard(measure, *read.board, made.problems);
  return made.plan != nullptr;
}

}  // namespace wizlo::maker
