// libFuzzer: any bytes as yes.wav. Run by tools/run-tests for a fixed number
// of runs; by hand for longer:
//   build-fuzz/tests/sound_fuzzer -max_total_time=600 build-fuzz/corpus tests/fuzz/corpus
// An input that fails goes into tests/fuzz/regressions/, where the replay test
// plays it back on every build.

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/target/sound_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Returning the sum keeps the reads of every sample from being optimised away.
  return wizlo::fuzz::checkSoundBytes({data, size}) == 0xFFFFFFFFu ? -1 : 0;
}
