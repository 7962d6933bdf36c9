// Every seed of the fuzzer and every input it ever caught failing, decoded
// again on every build: the sanitizer run catches what the fuzzer caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/target/sound_check.hpp"

namespace wizlo::fuzz {
namespace {

TEST(SoundFuzzInputs, EverySeedAndEveryCaughtInputDecodesSafely) {
  int replayed = 0;
  for (const char* folder : {"corpus", "regressions"})
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(WIZLO_FUZZ_DIR) / folder)) {
      if (!entry.is_regular_file() || entry.path().filename() == "README") continue;
      SCOPED_TRACE(entry.path().string());
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      checkSoundBytes(bytes);
      ++replayed;
    }
  EXPECT_GE(replayed, 8);
}

}  // namespace
}  // namespace wizlo::fuzz
