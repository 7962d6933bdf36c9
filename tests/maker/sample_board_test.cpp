// The sample board of docs/making-a-board.md, made by the board maker: a second-grade sentence with
// five groups and a decoy. What the file says is what the board asks, read back from the pack the
// program opens.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/lesson.hpp"
#include "assets/control_names.hpp"
#include "maker/make_board.hpp"
#include "maker/pack_source.hpp"

namespace wizlo::maker {
namespace {

const std::string& sampleFile() {
  static const std::string text = [] {
    std::ifstream in(std::string(WIZLO_SOURCE_DIR) + "/docs/examples/second-grade.toml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return text;
}

const MadeBoard& sample() {
  static const MadeBoard made = makeBoard(sampleFile());
  return made;
}

const ImageLayout& control(const FormLayout& form, std::string_view name, int index) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && c.Index && *c.Index == index) return c;
  throw std::out_of_range("no such control");
}

TEST(SampleBoard, IsMadeWithoutAProblemIntoAPackTheProgramOpens) {
  ASSERT_TRUE(sample().problems.empty()) << describe(sample().problems.front(), "second-grade.toml");
  const auto lesson = Lesson::read(sample().pack);
  int circles = 0, pieces = 0;
  for (const ImageLayout& c : lesson->layout().Controls) {
    circles += c.Name == names::kCircles;
    pieces += c.Name == names::kPieces;
  }
  EXPECT_EQ(circles, 5);
  EXPECT_EQ(pieces, 6);
  EXPECT_EQ(lesson->layout().Caption, "درس الأسبوع: التاء المفتوحة والمربوطة");
  EXPECT_LT(sample().pack.size(), 2u << 20);
}

// The circles follow the sentence from the right: g(0) under the ت of ذهبت, and on to the tanween.
// So that she can open her pack again to change it, wherever she kept nothing else.
TEST(SampleBoard, ItsPackGivesBackTheVeryBoardFileItWasMadeFrom) {
  const LinkedBoard given = boardFileOfPack(sample().pack);
  ASSERT_TRUE(given.boardFile) << given.problem.english;
  EXPECT_EQ(*given.boardFile, sampleFile());
  // What is not a pack, or a pack carrying no board file, is said so, and nothing is opened.
  std::vector<std::uint8_t> damaged = sample().pack;
  damaged.resize(damaged.size() / 2);
  EXPECT_FALSE(boardFileOfPack(damaged).boardFile);
  EXPECT_NE(boardFileOfPack(damaged).problem.english.find("cannot be opened"), std::string::npos);
}

TEST(SampleBoard, EachCircleTakesThePieceNamingTheSkillOfItsLettersAndTheDecoyFitsNone) {
  const PlannedBoard& plan = *sample().plan;
  const FormLayout& form = plan.form;
  const char* skills[] = {"تاء مفتوحة", "لام شمسية", "تاء مربوطة", "لام قمرية", "تنوين فتح"};
  const char* letters[] = {"ت", "ل", "ة", "ل", "رًا"};
  std::set<std::string> keys;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(plan.circles[static_cast<std::size_t>(i)].names, letters[i]) << "g(" << i << ")";
    const std::string key(control(form, names::kKeys, i).Tag);
    keys.insert(key);
    int fitting = 0;
    for (std::size_t j = 0; j < plan.pieces.size(); ++j)
      if (control(form, names::kPieces, static_cast<int>(j)).Tag == key) {
        ++fitting;
        EXPECT_EQ(plan.pieces[j].skill, skills[i]) << "g(" << i << ")";
      }
    EXPECT_EQ(fitting, 1) << "g(" << i << ")";
  }
  int decoys = 0;
  for (std::size_t j = 0; j < plan.pieces.size(); ++j)
    if (!keys.count(std::string(control(form, names::kPieces, static_cast<int>(j)).Tag))) {
      ++decoys;
      EXPECT_EQ(plan.pieces[j].skill, "مد بالواو");
    }
  EXPECT_EQ(decoys, 1);
}

// Numbered in reading order of the grid, the pieces must not also stand in the circles' order, or the
// numbers would give the answers away.
TEST(SampleBoard, PiecesAreNotNumberedInTheOrderOfTheirCircles) {
  const FormLayout& form = sample().plan->form;
  int inOrder = 0;
  for (int j = 0; j < 5; ++j) inOrder += control(form, names::kPieces, j).Tag == std::to_string(j + 1);
  EXPECT_LT(inOrder, 5);
}

}  // namespace
}  // namespace wizlo::maker
