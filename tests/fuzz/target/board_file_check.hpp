#pragma once
// What must hold for any bytes at all handed to the board file reader, as a teacher's editor or a
// link may give them: it comes back, never with an exception, a crash or a hang, with either a board
// whose every group lies inside its sentence, or the problems that kept it from being one, each
// said in both languages on a line the file has.

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "maker/arabic_letters.hpp"
#include "maker/board_file.hpp"

namespace wizlo::fuzz {

inline void requireBoardFile(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "board file reader: %s\n", what);
  std::abort();
}

inline void checkBoardFileBytes(std::span<const unsigned char> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  maker::ReadBoard read;
  try {
    read = maker::readBoardFile(text);
  } catch (...) {
    requireBoardFile(false, "threw");
  }
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n';
  for (const auto* said : {&read.problems, &read.notes})
    for (const maker::Problem& p : *said) {
      requireBoardFile(!p.arabic.empty() && !p.english.empty(), "a message with a language missing");
      requireBoardFile(p.line >= 0 && static_cast<std::size_t>(p.line) <= lines, "a message on a line the file has not");
    }
  requireBoardFile(read.board.has_value() == read.problems.empty(), "a board with problems, or none without");
  if (!read.board) return;
  const maker::BoardFile& board = *read.board;
  requireBoardFile(!board.sentence.empty() && !board.groups.empty(), "a board without a sentence or groups");
  requireBoardFile(board.groups.size() <= maker::kMaxGroups && board.decoys.size() <= maker::kMaxDecoys, "too many");
  const std::vector<maker::Word> words = maker::wordsOf(board.sentence);
  for (const maker::Group& g : board.groups) {
    requireBoardFile(!g.runs.empty() && !g.letters.empty() && !g.skill.empty(), "an empty group");
    for (const Letters& l : g.runs) {
      requireBoardFile(l.word >= 0 && static_cast<std::size_t>(l.word) < words.size(), "a group outside the sentence");
      const auto& word = words[static_cast<std::size_t>(l.word)];
      requireBoardFile(l.letter >= 0 && l.count >= 1 && static_cast<std::size_t>(l.letter + l.count) <= word.size(),
                       "letters outside their word");
    }
  }
}

}  // namespace wizlo::fuzz
