#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "assets/generator/text/shaper.hpp"

// The order a line of these texts is read in: the bidirectional algorithm for one line with no
// explicit embeddings, enough for Arabic, Arabic-Indic and Western digits, punctuation, spaces and
// an occasional Latin word. Numbers and Latin words read left to right inside a right-to-left line.
namespace wizlo::art {

struct DirectedRun {
  std::size_t start = 0, length = 0;  // bytes of the text
  Direction direction = Direction::LeftToRight;
  Script script = Script::Arabic;
};

// The paragraph's direction: that of its first strong letter, left to right when it has none.
Direction paragraphDirection(std::string_view utf8);
// The runs of the line from left to right.
std::vector<DirectedRun> visualRuns(std::string_view utf8);

char32_t decodeUtf8(std::string_view s, std::size_t& i);

}  // namespace wizlo::art
