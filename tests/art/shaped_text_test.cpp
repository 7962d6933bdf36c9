// What the shaping under every picture must keep: a letter can take a colour of its own without its
// word coming apart, and numbers and Latin words read left to right inside a right-to-left line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/generator/draw/owned.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "assets/generator/text/line_order.hpp"
#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {
namespace {

std::vector<std::string> visualPieces(const std::string& text) {
  std::vector<std::string> pieces;
  for (const DirectedRun& r : visualRuns(text)) pieces.push_back(text.substr(r.start, r.length));
  return pieces;
}

// The outline of the whole text as Cairo holds it: the same glyphs in the same places give the same path.
std::vector<double> outline(const ArabicText& text) {
  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  text.path(cr.get(), 0, 0);
  const Path path{cairo_copy_path(cr.get())};
  std::vector<double> points;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length)
    for (int k = 1; k < path->data[i].header.length; ++k)
      points.insert(points.end(), {path->data[i + k].point.x, path->data[i + k].point.y});
  return points;
}

TEST(ShapedText, LamAlefIsTwoGlyphsSoEachLetterCanTakeItsColour) {
  const std::string laa = "لا";
  const auto glyphs = shapeRun(faceOf(kNaskh), laa, 0, laa.size(), Direction::RightToLeft, Script::Arabic);
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].cluster, 2u);  // the alef, on the left
  EXPECT_EQ(glyphs[1].cluster, 0u);

  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  ArabicText text(cr.get(), laa, kNaskh, 1000);
  text.colour({2, 2}, kWhite);
  EXPECT_EQ(text.textIn(kWhite), "ا");
  EXPECT_GT(text.inkOf({2, 2}).width, 0);
  EXPECT_GT(text.inkOf({0, 2}).width, 0);
}

TEST(ShapedText, AColouredLetterOrMarkLeavesItsWordJoined) {
  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  const std::string word = "كَتَبَ";  // three letters, each with a fatha
  const ArabicText plain(cr.get(), word, kNaskh, 1000);
  ArabicText coloured(cr.get(), word, kNaskh, 1000);
  coloured.colour(lettersOf(word, 0, 1), kWhite);
  const Colour mark = Colour::hex(0x123456);
  coloured.colour({lettersOf(word, 0, 2).start + 2, 2}, mark);  // the last fatha alone
  EXPECT_EQ(outline(coloured), outline(plain));
  EXPECT_EQ(coloured.textIn(kWhite), "تَ");
  EXPECT_EQ(coloured.textIn(mark), "َ");
  // The mark sits over its letter, not somewhere of its own.
  const Box letter = coloured.inkOf(lettersOf(word, 0, 2)), fatha = coloured.inkOf({10, 2});
  EXPECT_GE(fatha.x, letter.x - 1);
  EXPECT_LE(fatha.right(), letter.right() + 1);
  EXPECT_LT(fatha.bottom(), plain.baseline());
}

TEST(ShapedText, NumbersAndLatinReadLeftToRightInAnArabicLine) {
  EXPECT_EQ(paragraphDirection("١٢ قلما"), Direction::RightToLeft);  // digits are not strong
  EXPECT_EQ(paragraphDirection("١٠"), Direction::LeftToRight);
  // From the left: the last word, then the numbers in their own order, then the first word.
  EXPECT_EQ(visualPieces("في 12 يوما"), (std::vector<std::string>{" يوما", "12", "في "}));
  EXPECT_EQ(visualPieces("العدد ١٢٣ كبير."), (std::vector<std::string>{" كبير.", "١٢٣", "العدد "}));
  // The space after a Latin word takes its script, and so a run of its own.
  EXPECT_EQ(visualPieces("اسم Wizlo جميل"), (std::vector<std::string>{"جميل", " ", "Wizlo", "اسم "}));
  // A full stop after an Arabic sentence ends on its left, not after a number before it.
  EXPECT_EQ(visualPieces("صفحة 7."), (std::vector<std::string>{".", "7", "صفحة "}));

  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  const std::string line = "في ١٢ يوما";
  const ArabicText text(cr.get(), line, kNaskh, 1000);
  const Box one = text.inkOf({5, 2}), two = text.inkOf({7, 2});
  EXPECT_LT(one.right(), two.x + 1);                       // ١ left of ٢
  EXPECT_GT(text.inkOf({0, 4}).x, two.right());            // the first word rightmost
  EXPECT_LT(text.inkOf(wordOf(line, 2)).right(), one.x);   // the last leftmost
}

TEST(ShapedText, ACharacterTheFaceLacksComesFromTheFallbackNotAnEmptyBox) {
  const Surface surface = makeSurface(1, 1);
  const Context cr = drawingOn(surface.get());
  ASSERT_FALSE(hasGlyph(faceOf(kNaskh), U'('));
  const ArabicText bracketed(cr.get(), "(نعم)", kNaskh, 1000);
  EXPECT_GT(bracketed.inkOf({0, 1}).width, 50);
  // Brackets mirror in a right-to-left line, so "(" still opens towards the word.
  EXPECT_GT(bracketed.inkOf({0, 1}).x, bracketed.inkOf({1, 6}).right() - 1);
}

}  // namespace
}  // namespace wizlo::art
