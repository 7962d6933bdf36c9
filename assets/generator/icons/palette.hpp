#pragma once
#include <cstdint>

#include "assets/content.hpp"

// The colours of the pieces, keys and marks, as 0xRRGGBB. The disks' face is
// the menu's mint, kMint; a tile takes its colours from its board's content.
namespace wizlo::art {

// The disks' ring and numeral.
inline constexpr std::uint32_t kDiskRing = 0xE0201C;
inline constexpr std::uint32_t kNumeral = 0x000000;
inline constexpr std::uint32_t kKeyNumeral = 0x0B5A2A;  // dark green, on the answer keys

// The feedback marks keep the pure colours a pupil knows from traffic lights.
inline constexpr std::uint32_t kMarkYes = 0x00FF00;
inline constexpr std::uint32_t kMarkNo = 0xFF0000;

}  // namespace wizlo::art
