// Every seed of the board file fuzzer and every input it ever caught failing, read again on every
// build: the sanitizer run catches what the fuzzer caught.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/target/board_file_check.hpp"

namespace wizlo::fuzz {
namespace {

TEST(BoardFileFuzzInputs, EverySeedAndEveryCaughtInputIsReadSafely) {
  int replayed = 0, boards = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(WIZLO_FUZZ_DIR) / "boards")) {
    if (!entry.is_regular_file() || entry.path().filename() == "README") continue;
    SCOPED_TRACE(entry.path().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    checkBoardFileBytes(bytes);
    boards += maker::readBoardFile({reinterpret_cast<const char*>(bytes.data()), bytes.size()}).board.has_value();
    ++replayed;
  }
  EXPECT_GE(replayed, 3);
  EXPECT_GE(boards, 2);  // seeds worth their name: boards the reader takes, for mutations to start from
}

}  // namespace
}  // namespace wizlo::fuzz
