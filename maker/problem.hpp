#pragma once
#include <string>
#include <vector>

// A mistake in a teacher's board file, or something the board maker found its board could not do:
// said in Arabic and in English, each with the line of the file it is about and what to change.
namespace wizlo::maker {

struct Problem {
  int line = 0;  // of the board file; 0 for the file as a whole
  std::string arabic, english;
};
using Problems = std::vector<Problem>;

// "lesson.toml:7: ..." twice, Arabic first, one line each; a note says so on both.
std::string describe(const Problem& problem, const std::string& file, bool note = false);

}  // namespace wizlo::maker
