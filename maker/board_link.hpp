#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// A pack carries the board file it was made from as its link, in a comment of the backdrop's JPEG,
// which every reader of packs and JPEGs passes over: the JPEG with that comment after its opening
// segments, and the link such a JPEG carries (empty where it carries none).
std::vector<std::uint8_t> withBoardFile(std::vector<std::uint8_t> jpeg, std::string_view boardFile);
std::string_view linkInJpeg(std::span<const std::uint8_t> jpeg);

}  // namespace wizlo::maker
