// A board teaches the letter it colours: every circle's colour must fall on exactly the letters its
// key is about. Read back from the shaped sentence, as it is painted, not from the letter counts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/draw/owned.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

std::string hexOf(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", c);
  return text;
}

TEST(ColouredLetters, EveryCircleColoursExactlyTheLettersItsKeyNames) {
  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  int checked = 0;
  for (const MenuButton& button : layouts::kMenuButtons) {
    const BoardContent* board = button.board;
    if (!board) continue;
    for (std::size_t i = 0; i < board->circles.size(); ++i) {
      const MarkedLetters& circle = board->circles[i];
      if (circle.kind != CircleKind::Drawn) continue;
      // Letters coloured alike without an arrow of their own belong to the same circle.
      std::string named(circle.names);
      for (const MarkedLetters& also : board->alsoColoured)
        if (also.colour == circle.colour) named += also.names;
      for (std::size_t j = 0; j < board->circles.size(); ++j)
        EXPECT_TRUE(j == i || board->circles[j].kind != CircleKind::Drawn ||
                    board->circles[j].colour != circle.colour)
            << board->form->Name << ": g(" << i << ") and g(" << j << ") share " << hexOf(circle.colour);

      EXPECT_EQ(lettersDrawnIn(cr.get(), *board, circle.colour), named)
          << board->form->Name << " g(" << i << "): the drawing colours the letters on the left in "
          << hexOf(circle.colour) << ", the circle's key names those on the right";
      ++checked;
    }
  }
  EXPECT_EQ(checked, 39);  // every drawn circle of the four boards
}

}  // namespace
}  // namespace wizlo::art
