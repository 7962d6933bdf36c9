#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "maker/problem.hpp"

// A board carried in a link: the board file's text, compressed, after the '#' of the page's address,
// which no server ever sees.
//
//   https://school.example/wizlo/#board=1.eJzLSM3JyQcABiwCFQ
//                                 ^^^^^^^ the version, then a zlib stream in base64url, no padding
//
// A link can come from anyone: reading one is bounded by the limits below before anything is
// unpacked, and the text it gives is then read as any board file is, with every check.
namespace wizlo::maker {

inline constexpr std::string_view kLinkKey = "board=1.";
inline constexpr std::size_t kMaxLinkedBoardBytes = 32 * 1024;  // a twelve-group board is about 2 KB
inline constexpr std::size_t kMaxLinkLength = 16 * 1024;        // characters after the '#'

// The part of the address after its '#', for a board file's text.
std::string boardLink(std::string_view boardFile);

struct LinkedBoard {
  std::optional<std::string> boardFile;  // the text the link carries
  Problem problem;                       // otherwise why it carries none, line 0
};

// The part after the '#' (with or without the '#'), read back.
LinkedBoard readBoardLink(std::string_view fragment);

}  // namespace wizlo::maker
