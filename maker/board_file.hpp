#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/content.hpp"
#include "maker/problem.hpp"

// A teacher's board file: plain text in TOML, as docs/making-a-board.md describes it.
//
//   title = "درس الأسبوع"
//   sentence = "ذهبت أمل إلى المدرسة"
//   [[group]]
//   letters = "ذهب(ت)"          the word as the sentence has it, the letters to colour in parentheses
//   skill = "تاء التأنيث"
//   [[decoy]]
//   skill = "همزة قطع"          a skill no letter shows
namespace wizlo::maker {

inline constexpr std::string_view kDefaultInstruction = "انقل المهارة للمكان المناسب";
inline constexpr int kMaxGroups = 12, kMaxDecoys = 3;

// One group of letters a circle asks about, found in the sentence.
struct Group {
  int line = 0;         // of its letters
  int skillLine = 0;
  std::string skill;
  std::vector<Letters> runs;  // in the sentence, reading order; the first is the one the arrow points at
  std::string letters;        // the sentence's own text of those runs, in reading order
};

struct Decoy {
  int line = 0;
  std::string skill;
};

struct BoardFile {
  std::string title, sentence, instruction, teacher, school;
  int titleLine = 0, sentenceLine = 0, instructionLine = 0;
  std::vector<Group> groups;  // in the reading order of the sentence: groups[i] is circle g(i)
  std::vector<Decoy> decoys;
};

struct ReadBoard {
  std::optional<BoardFile> board;  // only when there are no problems
  Problems problems;               // every one found, in the order of the file's lines
  Problems notes;                  // what was taken as something else, which the teacher should know
};

// The file's bytes: UTF-8, with or without its byte-order mark, or UTF-16 with its mark.
ReadBoard readBoardFile(std::string_view bytes);

// What a board file says of a group of the sentence's letters, for a page where a teacher taps them:
// the word as the sentence has it with the runs in parentheses, and which of the word's appearances
// it is (`word = appearance` where `appearances` is more than 1). `sentence` is as the reader keeps
// it (tidied); none for runs that are not all in one word, or that overlap.
struct GroupLines {
  std::string letters;
  int appearance = 0, appearances = 0;
};
std::optional<GroupLines> groupLines(std::string_view sentence, const std::vector<Letters>& runs);

}  // namespace wizlo::maker
