#pragma once
#include <cstdint>
#include <vector>

#include "maker/board_link.hpp"

// The board file a pack was made from, so that a teacher can open her pack again to change it.
namespace wizlo::maker {

// Read as a link is; a pack the program refuses, or one made before packs carried their board file,
// says so.
LinkedBoard boardFileOfPack(std::vector<std::uint8_t> pack);

}  // namespace wizlo::maker
