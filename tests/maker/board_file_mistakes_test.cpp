// Each kind of mistake a teacher can make in a board file, and what the board maker says of it: on
// which line, in both languages, and what to change. One board file a case, written out whole, so the
// line each message must name can be counted by eye.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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

// What an Arabic line holds that is not Arabic, leaving aside the teacher's own text between «» and
// the names her file is written with: Western digits, code points, English words.
std::string notArabic(std::string line) {
  for (std::size_t open; (open = line.find("«")) != std::string::npos;) line.erase(open, line.find("»", open) + 2 - open);
  for (std::size_t at; (at = line.find("UTF-8")) != std::string::npos;) line.erase(at, 5);
  static const std::set<std::string> kFileWords = {"sentence", "title", "teacher", "school", "instruction", "group",
                                                   "decoy", "letters", "skill", "word", "PDF"};
  std::string found, latin;
  for (const char c : line + " ") {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '+') {
      latin += c;
      continue;
    }
    if (!latin.empty() && !kFileWords.count(latin)) found += latin + " ";
    latin.clear();
  }
  return found;
}

// The table of mistakes is a folder of board files, one a case, written out whole so that the line each
// message must name can be counted by eye; the browser's maker is held to the same folder.
const std::string kMistakesFolder = WIZLO_SOURCE_DIR "/tests/maker/mistakes/";

struct Mistake {
  const char* file;      // in kMistakesFolder, without its .toml
  int line;              // the line the message names; 0 for the file as a whole
  const char* english;   // a part of the English message that says what to change
  bool drawn = false;    // found only on the drawn backdrop: still packed, for `preview` to show it
};

void PrintTo(const Mistake& m, std::ostream* os) { *os << m.file; }

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const Mistake kMistakes[] = {
    {"a-word-that-is-not-in-the-sentence", 5, "is not in the sentence"},
    {"a-parenthesis-between-a-letter-and-its-shadda", 5, "splits a letter"},
    {"only-the-alef-of-a-lam-alef", 5, "one shape"},
    {"too-many-groups", 38, "more than 12 groups"},
    {"a-sentence-too-long-to-fit", 2, "the board fits about"},
    {"a-latin-letter-in-the-sentence", 2, "a Latin letter"},
    {"an-invisible-direction-mark-in-the-sentence", 2, "invisible direction mark"},
    {"letters-in-the-printed-forms-a-pdf-gives", 2, "a printed form, as text copied from a PDF holds"},
    {"a-text-without-its-quotes", 2, "between double quotes"},
    {"a-misspelt-name", 3, "Did you mean teacher?"},
    {"no-sentence-at-all", 0, "has no sentence"},
    {"no-groups-at-all", 0, "has no letter groups"},
    {"one-skill-asked-twice", 9, "Name each skill once"},
    {"two-groups-colouring-one-letter", 8, "coloured by the group on line 5"},
    {"which-time-of-a-word-the-sentence-has-only-twice", 7, "a number from 1 to 2"},
    {"a-file-saved-in-the-arabic-code-page-of-old-windows", 0, "Encoding: UTF-8"},
    {"punctuation-inside-the-parentheses", 5, "punctuation is never coloured"},
    {"a-parenthesis-never-closed", 5, "never closes"},
    {"a-group-across-two-words", 5, "more than one word"},
    {"marks-alone-where-the-sentence-has-none", 5, "carries no marks"},
    {"a-skill-s-name-too-long-for-the-board", 6, "longer than 30 characters"},
    {"four-decoys", 13, "more than 3 skills with no letter"},
    {"a-shadda-coloured-alone-out-of-its-arrow-s-reach", 5, "arrow cannot reach its letters", true},
};

class BoardFileMistake : public testing::TestWithParam<Mistake> {};

TEST_P(BoardFileMistake, IsReportedOnItsLineInArabicAndEnglishWithWhatToChange) {
  const Mistake& mistake = GetParam();
  const std::string file = contentsOf(kMistakesFolder + mistake.file + ".toml");
  ASSERT_FALSE(file.empty()) << mistake.file;
  const MadeBoard made = makeBoard(file);
  ASSERT_EQ(made.problems.size(), 1u) << describe(made.problems.empty() ? Problem{} : made.problems.back(), "board");
  const Problem& problem = made.problems.front();
  EXPECT_EQ(problem.line, mistake.line) << problem.english;
  EXPECT_NE(problem.english.find(mistake.english), std::string::npos) << problem.english;
  // Arabic first, and truly Arabic: letters of the Arabic block, not the English again; its numbers
  // in Arabic-Indic digits, no code point, and nothing Latin but what the file itself holds.
  EXPECT_NE(problem.arabic.find("\xD8"), std::string::npos) << problem.arabic;
  EXPECT_EQ(notArabic(problem.arabic), "") << problem.arabic;
  EXPECT_EQ(made.pack.empty(), !mistake.drawn);
}

INSTANTIATE_TEST_SUITE_P(Each, BoardFileMistake, testing::ValuesIn(kMistakes));

TEST(BoardFileMistakes, EveryFileOfTheFolderIsInTheTable) {
  std::set<std::string> tabled;
  for (const Mistake& mistake : kMistakes) tabled.insert(std::string(mistake.file) + ".toml");
  for (const auto& entry : std::filesystem::directory_iterator(kMistakesFolder))
    EXPECT_EQ(tabled.count(entry.path().filename().string()), 1u) << entry.path();
}

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

TEST(BoardFileMistakes, EveryLineThatDoesNotReadIsReportedInOneRun) {
  const MadeBoard made = makeBoard("title = درس\nsentence = \"ذهبت الطالبة\"\nteacher = \"أ. سارة\n" + group("ذهب(ت)", "تاء"));
  ASSERT_EQ(made.problems.size(), 2u);
  EXPECT_EQ(made.problems[0].line, 1);
  EXPECT_EQ(made.problems[1].line, 3);
}

// What editors and keyboards give, and teachers write, taken as they meant it: the group's letters
// found where the sentence has them, with a note for whatever was taken as something else.
struct Forgiven {
  const char* what;
  std::string file;
  const char* coloured;  // what g(0) names, as the sentence has it
  int word;              // the word of the sentence it is in
  std::size_t notes;
};

void PrintTo(const Forgiven& f, std::ostream* os) { *os << f.what; }

std::string utf16(const std::string& utf8, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int extra = b < 0x80 ? 0 : b >= 0xE0 ? 2 : 1;
    unsigned c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<std::size_t>(extra) + 1;
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    out += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return out;
}

std::string crlf(std::string text) {
  for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
  return text;
}

const Forgiven kForgiven[] = {
    {"a comma written with the word", board(group("الطالبة،", "اسم"), "ذهبت الطالبة، إلى المدرسة"), "الطالبة", 1, 0},
    {"a comma left out", board(group("الطالب(ة)", "تاء"), "ذهبت الطالبة، إلى المدرسة"), "ة", 1, 0},
    {"quotation marks about a word", board(group("ن(ع)م", "عين"), "قالت: «نعم» بفرح"), "ع", 1, 0},
    {"a repeated word, its first time", board(group("(ك)تاب", "كاف"), "كتاب على كتاب"), "ك", 0, 0},
    {"a repeated word's second time in Arabic-Indic digits", board(group("(ك)تاب", "كاف") + "word = ٢\n", "كتاب على كتاب"),
     "ك", 2, 0},
    {"the digit between quotes", board(group("(ك)تاب", "كاف") + "word = \"٢\"\n", "كتاب على كتاب"), "ك", 2, 0},
    {"a Persian keheh in the letters", board(group("المکتب(ة)", "تاء مربوطة"), "ذهبت إلى المكتبة"), "ة", 2, 1},
    {"a Persian yeh, dotless at the word's end", board(group("ف(ی)", "ياء"), "جلست في البيت"), "ي", 1, 1},
    {"Notepad's Unicode, little-endian, CRLF", utf16(crlf(board(group("ذهب(ت)", "تاء مفتوحة"))), false), "ت", 0, 0},
    {"UTF-16 big-endian", utf16(board(group("ذهب(ت)", "تاء مفتوحة")), true), "ت", 0, 0},
    {"UTF-16 without its mark, as some editors save it", utf16(board(group("ذهب(ت)", "تاء مفتوحة")), false).substr(2), "ت", 0, 0},
    {"UTF-8 with its mark and CRLF", "\xEF\xBB\xBF" + crlf(board(group("ذهب(ت)", "تاء مفتوحة"))), "ت", 0, 0},
};

class TeacherWriting : public testing::TestWithParam<Forgiven> {};

TEST_P(TeacherWriting, IsTakenAsMeant) {
  const Forgiven& f = GetParam();
  const ReadBoard read = readBoardFile(f.file);
  ASSERT_TRUE(read.board) << describe(read.problems.front(), "board");
  const Group& first = read.board->groups.front();
  EXPECT_EQ(first.letters, f.coloured);
  EXPECT_EQ(first.runs.front().word, f.word);
  EXPECT_EQ(read.notes.size(), f.notes);
  for (const Problem& note : read.notes) EXPECT_EQ(note.line, 5) << note.english;  // the letters' line
}

INSTANTIATE_TEST_SUITE_P(Each, TeacherWriting, testing::ValuesIn(kForgiven));

TEST(TeacherWriting, ABoardWithoutHerNamesShowsNoOneElses) {
  const MadeBoard made = makeBoard(board(group("ذهب(ت)", "تاء مفتوحة")));
  ASSERT_TRUE(made.plan);
  const Credits& credits = made.plan->credits;
  EXPECT_TRUE(credits.idea.heading.empty() && credits.idea.line.empty());
  EXPECT_TRUE(credits.school.heading.empty() && credits.school.line.empty());
}

}  // namespace
}  // namespace wizlo::maker
