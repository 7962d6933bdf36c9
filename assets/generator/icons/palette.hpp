#pragma once
#include <cstdint>

// Colours, as 0xRRGGBB, that more than one picture must agree on exactly: a
// board's ground is painted by its backdrop and again by every tile that lies
// on it, so the tile reads as a ring with a number rather than as a square.
namespace wizlo::art {

// The pale mint of the menu, of the disk board and of every disk.
inline constexpr std::uint32_t kMint = 0xD2F9E6;

// Board grounds, shared by the board backdrops and their tiles. Each is a
// colour that a flat area of a backdrop JPEG (quality 90, no chroma
// subsampling) decodes to exactly, so a tile's ground is the very colour of
// the board around it, not one shade off.
inline constexpr std::uint32_t kBlueBoardGround = 0xB4BFDB;    // Backdrop3, BlueTile*
inline constexpr std::uint32_t kYellowBoardGround = 0xFEFF99;  // Backdrop4, YellowTile*
inline constexpr std::uint32_t kPinkBoardGround = 0xFECACC;    // Backdrop5, PinkTile*

// The rings of the tiles, one a board.
inline constexpr std::uint32_t kBlueTileRing = 0xE0565A;    // soft red
inline constexpr std::uint32_t kYellowTileRing = 0xF28A12;  // orange
inline constexpr std::uint32_t kPinkTileRing = 0xE23B6B;    // red-pink

// The disks' ring and numeral.
inline constexpr std::uint32_t kDiskRing = 0xE0201C;
inline constexpr std::uint32_t kNumeral = 0x000000;
inline constexpr std::uint32_t kKeyNumeral = 0x0B5A2A;  // dark green, on the answer keys

// The feedback marks keep the pure colours a pupil knows from traffic lights.
inline constexpr std::uint32_t kMarkYes = 0x00FF00;
inline constexpr std::uint32_t kMarkNo = 0xFF0000;

}  // namespace wizlo::art
