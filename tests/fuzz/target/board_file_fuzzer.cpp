// libFuzzer: any bytes as a teacher's board file (board_file_check.hpp says what must hold). Run by
// tools/run-tests for a fixed count; by hand for longer:
//   build-fuzz/tests/board_file_fuzzer -max_total_time=600 build-fuzz/board-corpus tests/fuzz/boards
// An input that fails goes into tests/fuzz/boards/, where the replay test reads it on every build.

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/target/board_file_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wizlo::fuzz::checkBoardFileBytes({data, size});
  return 0;
}
