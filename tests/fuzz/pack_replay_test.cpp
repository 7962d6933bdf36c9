// Every seed of the pack fuzzer and every input it ever caught failing, read again on every build:
// the sanitizer run catches what the fuzzer caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/target/pack_check.hpp"

namespace wizlo::fuzz {
namespace {

TEST(PackFuzzInputs, EverySeedAndEveryCaughtInputIsReadSafely) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(WIZLO_FUZZ_DIR) / "packs")) {
    if (!entry.is_regular_file() || entry.path().filename() == "README") continue;
    SCOPED_TRACE(entry.path().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    checkPackBytes(bytes);
    ++replayed;
  }
  EXPECT_GE(replayed, 2);
}

// The seeds are worth their name only if one of them is a pack the reader takes.
TEST(PackFuzzInputs, TheLayoutSeedMakesAPackTheReaderTakes) {
  std::ifstream in(std::filesystem::path(WIZLO_FUZZ_DIR) / "packs" / "sample-layout", std::ios::binary);
  const std::string seed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(seed.front(), '\x01');
  EXPECT_NO_THROW(packs::BoardPack::read(packAround(seed.substr(1))));
}

}  // namespace
}  // namespace wizlo::fuzz
