// A board in a link: what a teacher shares comes back whole, and what anyone else may send is refused
// with a message before it costs more than the limits allow.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "maker/board_link.hpp"

namespace wizlo::maker {
namespace {

std::string guideExample() {
  std::ifstream in(WIZLO_SOURCE_DIR "/docs/examples/second-grade.toml", std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(BoardLink, CarriesTheBoardFileWholeInAShortAddressSafeText) {
  const std::string text = guideExample();
  const std::string link = boardLink(text);
  EXPECT_TRUE(link.starts_with("board=1."));
  EXPECT_EQ(link.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_=.", 0),
            std::string::npos);
  // Short enough for a QR code a class can scan from the board at the front of the room.
  EXPECT_LT(link.size(), 1000u) << "the guide's " << text.size() << "-byte example";
  for (const std::string& given : {link, "#" + link}) {
    const LinkedBoard read = readBoardLink(given);
    ASSERT_TRUE(read.boardFile) << read.problem.english;
    EXPECT_EQ(*read.boardFile, text);
  }
  // Every length's last partial group of base64 comes back too.
  for (const std::string& small : {std::string(), std::string("a"), std::string("ab"), std::string("abc")})
    EXPECT_EQ(readBoardLink(boardLink(small)).boardFile, small);
}

TEST(BoardLink, RefusesWhatNoTeacherShared) {
  const std::string link = boardLink(guideExample());
  const auto refusal = [](std::string_view fragment) {
    const LinkedBoard read = readBoardLink(fragment);
    EXPECT_FALSE(read.boardFile) << fragment.substr(0, 40);
    EXPECT_FALSE(read.problem.arabic.empty());
    return read.problem.english;
  };
  EXPECT_EQ(refusal("page=2"), "this link carries no Wizlo board.");
  EXPECT_EQ(refusal("board=2." + link.substr(8)), "this link carries no Wizlo board.");
  EXPECT_NE(refusal(link.substr(0, link.size() - 12)).find("copied only in part"), std::string::npos);
  EXPECT_NE(refusal(link.substr(0, 40) + "+/" + link.substr(42)).find("copied only in part"), std::string::npos);
  EXPECT_NE(refusal("board=1.A").find("copied only in part"), std::string::npos);
  // A megabyte of spaces packs into a link of a few kilobytes: it is stopped at the limit, unpacked no further.
  EXPECT_EQ(refusal(boardLink(std::string(1 << 20, ' '))), "the board in the link is too large to be a lesson board.");
  EXPECT_EQ(refusal(boardLink(std::string(kMaxLinkedBoardBytes + 1, ' '))),
            "the board in the link is too large to be a lesson board.");
  EXPECT_TRUE(readBoardLink(boardLink(std::string(kMaxLinkedBoardBytes, ' '))).boardFile);
  EXPECT_EQ(refusal("board=1." + std::string(kMaxLinkLength + 1, 'A')), "the link is too long to carry a lesson board.");
}

}  // namespace
}  // namespace wizlo::maker
