#pragma once
#include <string_view>

// The names by which handlers, drawings and tests reach controls, written once. The layouts give
// these names to their controls; the rest of the program asks for them by these constants.
namespace wizlo::names {

inline constexpr std::string_view kBackdrop = "Image1";  // the full-size picture under every form
inline constexpr std::string_view kWebSite = "wex";      // the credit hot spot that opens the site

// A board's.
inline constexpr std::string_view kPieces = "c";   // the pool of numbered pieces
inline constexpr std::string_view kCircles = "g";  // the circles they are dropped into
inline constexpr std::string_view kKeys = "l";     // the hidden answer key: g(i) takes the piece tagged as l(i)
inline constexpr std::string_view kRightMark = "Imy";
inline constexpr std::string_view kWrongMark = "Imn";
inline constexpr std::string_view kBoardBack = "rrr";

// A practice page's back button (on the menu the same name is a hot spot of its own).
inline constexpr std::string_view kPageBack = "Image6";

}  // namespace wizlo::names
