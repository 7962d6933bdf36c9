// libFuzzer: any bytes as a teacher's board pack, or as the layout inside one (pack_check.hpp says
// how the first byte tells which). Run by tools/run-tests for a fixed time; by hand for longer:
//   build-fuzz/tests/pack_fuzzer -max_total_time=600 build-fuzz/pack-corpus tests/fuzz/packs
// An input that fails goes into tests/fuzz/packs/, where the replay test reads it on every build.

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/target/pack_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wizlo::fuzz::checkPackBytes({data, size});
  return 0;
}
