// Whether each arrow reaches its letters clear of the rest of the sentence, as the check every
// board's backdrop goes through measures it: made-up outlines at known places, then the four boards
// as the program shows them and teachers' boards that colour a lone mark.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/generator/backdrops/arrow_clearance.hpp"
#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/draw/owned.hpp"
#include "assets/generator/output/recipe.hpp"
#include "maker/make_board.hpp"

namespace wizlo::art {
namespace {

constexpr double kTwips = 15;  // a pixel at 1x

// Rectangles given in pixels at 1x.
PathMaker rectangle(double x, double y, double width, double height) {
  return [=](cairo_t* cr) { cairo_rectangle(cr, x * kTwips, y * kTwips, width * kTwips, height * kTwips); };
}

TEST(ArrowClearance, AnArrowOverOtherInkOrShortOfItsOwnLettersIsFoundOneThatTouchesOrReachesThemIsNot) {
  // A word at 300..500 x 100..160.4 px whose own letters, g(0)'s, are 300..340 of it; the arrow a
  // shaft 3 px wide ending at its top.
  const struct {
    const char* what;
    double x, top;
    bool crosses, reaches;
  } kArrows[] = {
      {"into the other letters 2 px deep", 400.3, 158.4, true, false},
      {"into them 1 px deep", 400.3, 159.4, true, false},
      {"up to their edge between two pixels", 400.3, 160.4, false, false},
      {"into its own letters", 320.3, 130, false, true},
      {"4 px below its own letters, as drawn", 320.3, 164.4, false, true},
      {"9 px below them", 320.3, 169.4, false, false},
      {"beside the word", 510, 100, false, false},
  };
  for (const int width : {905, 1810}) {
    for (const auto& arrow : kArrows) {
      SCOPED_TRACE(std::string(arrow.what) + " at " + std::to_string(width) + " px");
      InkMap ink;
      ink.add(InkKind::Word, "word 0", rectangle(300, 100, 200, 60.4), 300);
      ink.add(InkKind::Letters, "g(0) letters", rectangle(300, 100, 40, 60.4));
      ink.add(InkKind::Arrow, "g(0) arrow", rectangle(arrow.x, arrow.top, 3, 200 - arrow.top));
      const std::vector<std::uint32_t> blank(static_cast<std::size_t>(width) * (width * 609 / 905), 0xFFFFFFFF);
      const std::vector<ArrowFault> faults = arrowFaults(InkPixels(blank, width, ink), ink);
      ASSERT_EQ(faults.empty(), !arrow.crosses && arrow.reaches) << (faults.empty() ? "" : faults.front().describe());
      if (!faults.empty()) EXPECT_EQ(faults.front().crosses(), arrow.crosses) << faults.front().describe();
    }
  }
}

// Fails at each arrow over other ink of the backdrop or short of its letters; returns how many
// arrows it measured.
std::size_t expectArrowsClear(std::span<const std::uint32_t> argb, int width, const InkMap& ink) {
  for (const ArrowFault& f : arrowFaults(InkPixels(argb, width, ink), ink)) ADD_FAILURE() << f.describe();
  std::size_t arrows = 0;
  for (const InkPart& part : ink.parts()) arrows += part.kind == InkKind::Arrow;
  return arrows;
}

std::string teachersBoard(std::string_view sentence, std::string_view letters, std::string_view other) {
  return "title = \"الحركات\"\nsentence = \"" + std::string(sentence) +
         "\"\nteacher = \"أ. سارة\"\nschool = \"مدرسة النور\"\n\n[[group]]\nletters = \"" + std::string(letters) +
         "\"\nskill = \"حركة\"\n\n[[group]]\nletters = \"" + std::string(other) + "\"\nskill = \"لام قمرية\"\n";
}

// A sukun coloured alone sits over its letter: from below, the ب and its dot are in the way, and an
// arrow stopping under them points at the dot; it comes round beside the word to the sukun instead.
TEST(ArrowClearance, OnATeachersBoardColouringALoneSukunTheArrowReachesTheSukunClearOfItsLetter) {
  const maker::MadeBoard made =
      maker::makeBoard(teachersBoard("في الصباحِ، تلعبْ سلمى في الحديقة", "تلعب(ْ)", "ا(ل)حديقة"));
  ASSERT_TRUE(made.plan);
  EXPECT_TRUE(made.problems.empty()) << made.problems.front().english;
  for (const auto [width, height] : kBackdropSizes) {
    SCOPED_TRACE(std::to_string(width) + " px");
    const Surface surface = makeSurface(width, height);
    InkMap ink;
    {
      const Context cr = drawingOn(surface.get());
      cairo_scale(cr.get(), width / kPageWidth, height / kPageHeight);
      drawBoard(cr.get(), made.plan->content, ink);
    }
    cairo_surface_flush(surface.get());
    const auto* argb = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface.get()));
    EXPECT_EQ(expectArrowsClear({argb, argb + static_cast<std::size_t>(width) * height}, width, ink), 2u);
  }
}

// A mark inside a word is out of every arrow's reach, round the word's end too; its whole letter is
// not, and the teacher is told on the group's line to colour that.
TEST(ArrowClearance, ATeachersMarkNoArrowCanReachIsReportedOnItsGroupAndItsWholeLetterIsNot) {
  const maker::MadeBoard alone = maker::makeBoard(teachersBoard("الولد يَكتُب الدرس", "يَكت(ُ)ب", "ا(ل)درس"));
  ASSERT_EQ(alone.problems.size(), 1u);
  EXPECT_EQ(alone.problems.front().line, 7);
  EXPECT_NE(alone.problems.front().english.find("Colour the whole letter"), std::string::npos);
  EXPECT_NE(alone.problems.front().arabic.find("تلوين الحرف كله"), std::string::npos);
  const maker::MadeBoard whole = maker::makeBoard(teachersBoard("الولد يَكتُب الدرس", "يَك(تُ)ب", "ا(ل)درس"));
  EXPECT_TRUE(whole.problems.empty()) << whole.problems.front().english;
}

}  // namespace
}  // namespace wizlo::art
