#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wizlo::platform {

// A file a person named (a teacher's board pack, given on the command line or by a double-click),
// read whole. Only an ordinary file is read, and only up to `limit` bytes: a pipe, a device or a
// huge file is refused rather than waited on.
enum class FileProblem : std::uint8_t { None, Missing, NotAFile, TooLarge, Unreadable };
struct FileBytes {
  std::vector<std::uint8_t> bytes;
  FileProblem problem = FileProblem::None;
};
FileBytes readUserFile(std::string_view utf8Path, std::size_t limit);

}  // namespace wizlo::platform
