// libFuzzer: any bytes as the part of a shared board's address after its '#'. Nothing may crash, hang or
// unpack past the limits; a link that carries a text gives one within them, and that text is then read
// as any board file (board_file_check.hpp). And any text within the limits comes back from its own link,
// and from the JPEG comment a pack carries it in.
// Run by tools/run-tests for a fixed count; by hand for longer:
//   build-fuzz/tests/board_link_fuzzer -max_total_time=600 build-fuzz/link-corpus tests/fuzz/links
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>
#include <string_view>

#include "maker/board_link.hpp"
#include "tests/fuzz/target/board_file_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wizlo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const maker::LinkedBoard read = maker::readBoardLink(bytes);
  if (read.boardFile) {
    fuzz::requireBoardFile(read.boardFile->size() <= maker::kMaxLinkedBoardBytes, "a link unpacked past its limit");
    fuzz::checkBoardFileBytes({reinterpret_cast<const unsigned char*>(read.boardFile->data()), read.boardFile->size()});
  } else {
    fuzz::requireBoardFile(!read.problem.arabic.empty() && !read.problem.english.empty(), "a refusal without words");
  }
  if (size <= maker::kMaxLinkedBoardBytes)
    fuzz::requireBoardFile(maker::readBoardLink(maker::boardLink(bytes)).boardFile == bytes, "a text lost on its way");
  // The same bytes as a pack's JPEG: walked within them; and as the text one carries, given back.
  const std::span<const std::uint8_t> jpeg(data, size);
  const std::string_view found = maker::linkInJpeg(jpeg);
  fuzz::requireBoardFile(found.empty() || (found.data() >= bytes.data() && found.data() + found.size() <= bytes.data() + size),
                         "a comment read past the JPEG");
  if (size <= maker::kMaxLinkedBoardBytes) {
    const std::vector<std::uint8_t> carrying = maker::withBoardFile({0xFF, 0xD8, 0xFF, 0xD9}, bytes);
    fuzz::requireBoardFile(maker::readBoardLink(maker::linkInJpeg(carrying)).boardFile == bytes, "a pack's board file lost");
  }
  return 0;
}
