// Which name belongs to which piece, as the check every board's backdrop goes through measures it:
// made-up names and pieces at known gaps, then the four boards as the program shows them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/catalogue.hpp"
#include "assets/generator/backdrops/backdrops.hpp"
#include "assets/generator/backdrops/name_gaps.hpp"
#include "assets/generator/draw/owned.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

constexpr int kWidth = 905, kHeight = 609;  // a backdrop at 1x
constexpr double kTwips = 15;

// A box given in pixels at 1x, in twips.
Box px(double x, double y, double width, double height) {
  return {x * kTwips, y * kTwips, width * kTwips, height * kTwips};
}

struct Layout {
  const char* what;
  Box ownName, otherName;  // c(0)'s, and c(1)'s, which c(1) follows 7 px to the right, in twips
  bool fault;
};

TEST(NameGaps, APieceWhoseNeighboursNameComesWithinTwentyPixelsOrTwiceItsOwnInAnyDirectionIsFound) {
  // c(0) at 400..440 x 300..330, its name at its left; the other name and its piece c(1) come after
  // it in the row, or in the row before or after.
  const Box c0 = px(400, 300, 40, 30);
  const Layout kLayouts[] = {
      {"own name 7 px left, the next name 13 px right", px(300, 305, 93, 20), px(453, 305, 100, 20), true},
      {"own name 7 px left, the next name 25 px right", px(300, 305, 93, 20), px(465, 305, 100, 20), false},
      {"own name 12 px left, the next name 22 px right", px(300, 305, 88, 20), px(462, 305, 100, 20), true},
      {"own name 7 px left, the next 19 px right", px(300, 305, 93, 20), px(459, 305, 100, 20), true},
      {"own name 7 px left, another name 8 px above, in the row before", px(300, 305, 93, 20),
       px(380, 270, 100, 22), true},
      {"own name 7 px left, another name 21 px above, in the row before", px(300, 305, 93, 20),
       px(380, 257, 100, 22), false},
      {"own name 7 px left, another name below and to the right, 11 px off the piece's corner", px(300, 305, 93, 20),
       px(448, 338, 100, 20), true},
      {"own name 7 px left, another name overlapping the piece's top rows 8 px off", px(300, 305, 93, 20),
       px(448, 290, 100, 20), true},
  };
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.what);
    InkMap ink;
    const auto rectangle = [](const Box& b) {
      return [b](cairo_t* cr) { cairo_rectangle(cr, b.x, b.y, b.width, b.height); };
    };
    ink.add(InkKind::Label, labelName(0), rectangle(layout.ownName), 300);
    ink.add(InkKind::Label, labelName(1), rectangle(layout.otherName), 300);
    const std::vector<std::uint32_t> blank(static_cast<std::size_t>(kWidth) * kHeight, 0xFFFFFFFF);
    const InkPixels pixels(blank, kWidth, ink);
    const Box& other = layout.otherName;
    const Box c1{other.right() + 7 * kTwips, other.centreY() - 15 * kTwips, 40 * kTwips, 30 * kTwips};
    const std::vector<Box> pieces{c0, c1};
    const std::vector<NameGapFault> faults = nameGapFaults(pixels, ink, pieces);
    EXPECT_EQ(!faults.empty(), layout.fault) << (faults.empty() ? "" : faults.front().describe());
    for (const NameGapFault& f : faults) {
      EXPECT_EQ(f.piece, 0);
      EXPECT_EQ(f.other, 1);
    }
  }
}

TEST(NameGaps, OnEveryBoardAtOneAndTwiceTheSizeEachPiecesOwnNameIsClearlyTheNearest) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    const PictureId id = button.form().Controls.back().Picture->id();
    for (std::size_t n = 0; n < assets::artwork(id)->imageCount(); ++n) {
      const Bitmap& image = assets::artwork(id)->image(n);
      SCOPED_TRACE(std::string(nameOf(id)) + " at " + std::to_string(image.width) + " px");
      InkMap ink;  // drawn again, for where the names went
      const Surface scratch = makeSurface(image.width, image.height);
      drawBackdrop(id, drawingOn(scratch.get()).get(), image.width, image.height, ink);
      std::size_t names = 0;
      for (const InkPart& part : ink.parts()) names += part.kind == InkKind::Label;
      EXPECT_EQ(names, button.board->skills.size());
      for (const NameGapFault& f : nameGapFaults(InkPixels(image.argb, image.width, ink), ink, pieceBoxesOf(button.form())))
        ADD_FAILURE() << f.describe();
    }
  }
}

}  // namespace
}  // namespace wizlo::art
