#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "maker/board_link.hpp"

// A pack carries the board file it was made from, so that a teacher can open her pack again to
// change it: as the board's link, in a comment of the backdrop's JPEG at 1x. Every reader of packs
// and of JPEGs passes over a comment, so packs stay as the programs already read them.
namespace wizlo::maker {

// The JPEG with the board file's link in a comment after its opening segments.
std::vector<std::uint8_t> withBoardFile(std::vector<std::uint8_t> jpeg, std::string_view boardFile);

// The board file a pack carries, read as a link is; a pack the program refuses, or one made before
// packs carried their board file, says so.
LinkedBoard boardFileOfPack(std::vector<std::uint8_t> pack);

}  // namespace wizlo::maker
