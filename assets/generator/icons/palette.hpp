#pragma once
#include <cstdint>

// Colours that more than one picture must agree on exactly: a board's ground
// is painted by its backdrop and again by every tile that lies on it, so the
// tile reads as a ring with a number rather than as a square.
namespace wizlo::art {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;

  // Cairo takes channels from 0 to 1.
  constexpr double red() const { return r / 255.0; }
  constexpr double green() const { return g / 255.0; }
  constexpr double blue() const { return b / 255.0; }
  constexpr std::uint32_t argb() const { return 0xFF000000u | (r << 16) | (g << 8) | b; }
  constexpr bool operator==(const Rgb&) const = default;
};

constexpr Rgb fromHex(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
          static_cast<std::uint8_t>(rgb)};
}

// The pale mint of the menu, of the disk board and of every disk.
inline constexpr Rgb kMint = fromHex(0xD2F9E6);

// Board grounds, shared by the board backdrops and their tiles. Each is a
// colour that a flat area of a backdrop JPEG (quality 90, no chroma
// subsampling) decodes to exactly, so a tile's ground is the very colour of
// the board around it, not one shade off.
inline constexpr Rgb kBlueBoardGround = fromHex(0xB4BFDB);    // Backdrop3, BlueTile*
inline constexpr Rgb kYellowBoardGround = fromHex(0xFEFF99);  // Backdrop4, YellowTile*
inline constexpr Rgb kPinkBoardGround = fromHex(0xFECACC);    // Backdrop5, PinkTile*

// The rings of the tiles, one a board.
inline constexpr Rgb kBlueTileRing = fromHex(0xE0565A);    // soft red
inline constexpr Rgb kYellowTileRing = fromHex(0xF28A12);  // orange
inline constexpr Rgb kPinkTileRing = fromHex(0xE23B6B);    // red-pink

// The disks' ring and numeral.
inline constexpr Rgb kDiskRing = fromHex(0xE0201C);
inline constexpr Rgb kNumeral = fromHex(0x000000);
inline constexpr Rgb kKeyNumeral = fromHex(0x0B5A2A);  // dark green, on the answer keys

// The feedback marks keep the pure colours a pupil knows from traffic lights.
inline constexpr Rgb kMarkYes = fromHex(0x00FF00);
inline constexpr Rgb kMarkNo = fromHex(0xFF0000);

}  // namespace wizlo::art
