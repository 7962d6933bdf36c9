// A board teaches the letter it colours: every circle's colour must fall on exactly the letters its
// key is about. Read back from the shaped sentence, as it is painted, not from the letter counts.
#include <gtest/gtest.h>

#include <string>

#include "assets/generator/backdrops/board.hpp"

namespace wizlo::art {
namespace {

std::string hexOf(Colour c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", int(c.r * 255 + 0.5), int(c.g * 255 + 0.5), int(c.b * 255 + 0.5));
  return text;
}

bool sameColour(Colour a, Colour b) { return hexOf(a) == hexOf(b); }

TEST(ColouredLetters, EveryCircleColoursExactlyTheLettersItsKeyNames) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(surface);
  int checked = 0;
  for (const BoardContent* board : {&appleBoard(), &bookBoard(), &computerBoard(), &farmingBoard()}) {
    for (std::size_t i = 0; i < board->circles.size(); ++i) {
      const MarkedLetters& circle = board->circles[i];
      if (circle.kind != CircleKind::Drawn) continue;
      // Letters coloured alike without an arrow of their own belong to the same circle.
      std::string named(circle.names);
      for (const MarkedLetters& also : board->alsoColoured)
        if (sameColour(also.colour, circle.colour)) named += also.names;
      for (std::size_t j = 0; j < board->circles.size(); ++j)
        EXPECT_TRUE(j == i || board->circles[j].kind != CircleKind::Drawn ||
                    !sameColour(board->circles[j].colour, circle.colour))
            << board->form->Name << ": g(" << i << ") and g(" << j << ") share " << hexOf(circle.colour);

      EXPECT_EQ(lettersDrawnIn(cr, *board, circle.colour), named)
          << board->form->Name << " g(" << i << "): the drawing colours the letters on the left in "
          << hexOf(circle.colour) << ", the circle's key names those on the right";
      ++checked;
    }
  }
  EXPECT_EQ(checked, 39);  // every drawn circle of the four boards
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace wizlo::art
