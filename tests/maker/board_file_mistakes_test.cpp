// Each kind of mistake a teacher can make in a board file, and what the board maker says of it: on
// which line, in both languages, and what to change. One board file a case, written out whole, so the
// line each message must name can be counted by eye.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maker/make_board.hpp"

namespace wizlo::maker {
namespace {

// A good board, to build each mistake on: line 2 is the sentence, the first group starts on line 4.
std::string board(const std::string& groups, const std::string& sentence = "ذهبت الطالبة إلى المدرسة") {
  return "title = \"درس\"\nsentence = \"" + sentence + "\"\n\n" + groups;
}
std::string group(const std::string& letters, const std::string& skill) {
  return "[[group]]\nletters = \"" + letters + "\"\nskill = \"" + skill + "\"\n";
}

struct Mistake {
  const char* what;
  std::string file;
  int line;              // the line the message names; 0 for the file as a whole
  const char* english;   // a part of the English message that says what to change
};

void PrintTo(const Mistake& m, std::ostream* os) { *os << m.what; }

std::string thirteenGroups() {
  std::string text = "sentence = \"ذهبت الطالبة إلى المدرسة مبكرًا وقرأت كتابًا جميلًا\"\n";
  const char* letters[] = {"ذ(ه)بت", "ذه(ب)ت", "ذهب(ت)", "(ا)لطالبة", "ا(ل)طالبة", "ال(ط)البة", "الط(ا)لبة", "الطا(ل)بة",
                           "الطال(ب)ة", "الطالب(ة)", "(إ)لى", "إ(ل)ى", "إل(ى)"};
  for (int i = 0; i < 13; ++i) text += "[[group]]\nletters = \"" + std::string(letters[i]) + "\"\nskill = \"مهارة " + std::to_string(i + 1) + "\"\n";
  return text;  // the thirteenth group's heading is line 2 + 12 * 3 = 38
}

const Mistake kMistakes[] = {
    {"a word that is not in the sentence", board(group("ذهب(ث)", "تاء مفتوحة")), 5, "is not in the sentence"},
    {"a parenthesis between a letter and its shadda", board(group("ال(ت)ّفاحة", "حرف مضعف"), "أكل سعود التّفاحة"), 5,
     "splits a letter"},
    {"only the alef of a lam-alef", board(group("إل(ا)", "مد بالألف"), "ما هذا إلا كتاب"), 5, "one shape"},
    {"too many groups", thirteenGroups(), 38, "more than 12 groups"},
    {"a sentence too long to fit", board(group("ذهب(ت)", "تاء مفتوحة"),
                                         "ذهبت الطالبة المجتهدة إلى المدرسة القريبة من البيت مبكرًا في الصباح الباكر مع أختها الصغيرة وصديقتها"),
     2, "too long to fit"},
    {"a Latin letter in the sentence", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت Amal إلى المدرسة"), 2, "a Latin letter"},
    {"an invisible direction mark in the sentence", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت\u200F الطالبة"), 2,
     "invisible direction mark"},
    {"letters in the printed forms a PDF gives", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت \uFEBF\uFEA0"), 2,
     "a printed form, as text copied from a PDF holds"},
    {"a text without its quotes", "title = \"درس\"\nsentence = ذهبت الطالبة\n", 2, "between double quotes"},
    {"a misspelt name", "title = \"درس\"\nsentence = \"ذهبت\"\nteachr = \"أ. سارة\"\n" + group("ذهب(ت)", "تاء مفتوحة"), 3,
     "Did you mean teacher?"},
    {"no sentence at all", "title = \"درس\"\n" + group("ذهب(ت)", "تاء مفتوحة"), 0, "has no sentence"},
    {"no groups at all", board(""), 0, "has no letter groups"},
    {"one skill asked twice", board(group("ذهب(ت)", "تاء") + group("الطالب(ة)", "تاء")), 9, "Name each skill once"},
    {"two groups colouring one letter", board(group("(ذهبت)", "فعل") + group("ذهب(ت)", "تاء مفتوحة")), 8,
     "coloured by the group on line 5"},
    {"a word the sentence has twice", board(group("(ك)تاب", "حرف"), "كتاب على كتاب"), 5, "word = 1 or word = 2"},
    {"a parenthesis never closed", board(group("ذهب(ت", "تاء مفتوحة")), 5, "never closes"},
    {"a group across two words", board(group("ذهبت (ا)لطالبة", "همزة وصل")), 5, "more than one word"},
    {"marks alone where the sentence has none", board(group("ذهبت(ْ)", "سكون")), 5, "carries no marks"},
    {"a skill's name too long for the board",
     board(group("ذهب(ت)", "تاء مفتوحة في آخر الفعل الماضي تدل على")), 6, "longer than 30 characters"},
    {"four decoys", board(group("ذهب(ت)", "تاء مفتوحة") + "[[decoy]]\nskill = \"أ\"\n[[decoy]]\nskill = \"ب\"\n[[decoy]]\nskill = \"ج\"\n[[decoy]]\nskill = \"د\"\n"),
     13, "more than 3 skills with no letter"},
};

class BoardFileMistake : public testing::TestWithParam<Mistake> {};

TEST_P(BoardFileMistake, IsReportedOnItsLineInArabicAndEnglishWithWhatToChange) {
  const Mistake& mistake = GetParam();
  const MadeBoard made = makeBoard(mistake.file);
  ASSERT_EQ(made.problems.size(), 1u) << describe(made.problems.empty() ? Problem{} : made.problems.back(), "board");
  const Problem& problem = made.problems.front();
  EXPECT_EQ(problem.line, mistake.line) << problem.english;
  EXPECT_NE(problem.english.find(mistake.english), std::string::npos) << problem.english;
  // Arabic first, and truly Arabic: letters of the Arabic block, not the English again.
  EXPECT_NE(problem.arabic.find("\xD8"), std::string::npos) << problem.arabic;
  EXPECT_TRUE(made.pack.empty());
}

INSTANTIATE_TEST_SUITE_P(Each, BoardFileMistake, testing::ValuesIn(kMistakes));

TEST(BoardFileMistakes, EveryMistakeOfAFileIsReportedInTheOrderOfItsLines) {
  const std::string file = "title = \"درس\"\nsentence = \"ذهبت الطالبة\"\ncolour = \"أحمر\"\n" + group("ذهب(ث)", "تاء") +
                           group("الطالب(ة", "تاء مربوطة");
  const MadeBoard made = makeBoard(file);
  ASSERT_EQ(made.problems.size(), 3u);
  EXPECT_EQ(made.problems[0].line, 3);  // an unknown name
  EXPECT_EQ(made.problems[1].line, 5);  // a word not in the sentence
  EXPECT_EQ(made.problems[2].line, 8);  // a parenthesis never closed
  EXPECT_EQ(describe(made.problems[0], "lesson.toml").rfind("lesson.toml:3: ", 0), 0u);
}

}  // namespace
}  // namespace wizlo::maker
