// What the authoring page writes for the letters a teacher tapped: the word as the sentence has it,
// one pair of parentheses around each run, however many taps made it.
#include <gtest/gtest.h>

#include "maker/board_file.hpp"

namespace wizlo::maker {
namespace {

std::string lettersOf(std::string_view sentence, const std::vector<Letters>& runs) {
  const std::optional<GroupLines> lines = groupLines(sentence, runs);
  return lines ? lines->letters : "(none)";
}

TEST(GroupLines, TapsOnLettersSideBySideWriteOnePairOfParentheses) {
  const std::string_view sentence = "فاستقبلَ التلاميذُ معلمتَهم في المدرسةِ";
  // Each letter of في tapped on its own: the whole word, read back as the taps meant it.
  EXPECT_EQ(lettersOf(sentence, {{3, 0, 1}, {3, 1, 1}}), "(في)");
  EXPECT_EQ(lettersOf(sentence, {{2, 5, 1}, {2, 6, 1}}), "معلمتَ(هم)");
  // Apart, each keeps its own pair; a mark alone sits after its letter.
  EXPECT_EQ(lettersOf(sentence, {{2, 3, 1}, {2, 5, 1}}), "معل(م)تَ(ه)م");
  EXPECT_EQ(lettersOf(sentence, {{0, 6, 1, true}}), "فاستقبل(َ)");
  // A letter and the mark alone of the one after it.
  EXPECT_EQ(lettersOf(sentence, {{0, 5, 1}, {0, 6, 1, true}}), "فاستق(ب)ل(َ)");
  // Overlapping runs are no group at all.
  EXPECT_EQ(lettersOf(sentence, {{3, 0, 2}, {3, 1, 1}}), "(none)");
  // And what is written reads back as the very runs tapped.
  const ReadBoard read = readBoardFile(std::string("sentence = \"") + std::string(sentence) +
                                       "\"\n[[group]]\nletters = \"(في)\"\nskill = \"حرف جر\"\n");
  ASSERT_TRUE(read.board) << read.problems.front().english;
  EXPECT_EQ(read.board->groups.front().runs.front().word, 3);
  EXPECT_EQ(read.board->groups.front().runs.front().count, 2);
}

}  // namespace
}  // namespace wizlo::maker
