#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace wizlo {

// Every picture the program can show. The order is the order of the
// catalogue's families; the numbering carries no meaning of its own.
enum class PictureId : std::uint8_t {
  AppIcon,
  MarkYes,
  MarkNo,
  Backdrop1, Backdrop2, Backdrop3, Backdrop4, Backdrop5, Backdrop6, Backdrop7,
  Disk1, Disk2, Disk3, Disk4, Disk5, Disk6, Disk7, Disk8, Disk9, Disk10,
  KeyDisk1, KeyDisk2,
  BlueTile1, BlueTile2, BlueTile3, BlueTile4, BlueTile5, BlueTile6, BlueTile7, BlueTile8, BlueTile9,
  YellowTile1, YellowTile2, YellowTile3, YellowTile4, YellowTile5, YellowTile6, YellowTile7, YellowTile8,
  YellowTile9,
  PinkTile1, PinkTile2, PinkTile3, PinkTile4, PinkTile5, PinkTile6, PinkTile7, PinkTile8, PinkTile9,
  PinkTile10, PinkTile11,
};

inline constexpr std::size_t kPictureCount = 51;

inline constexpr std::array<std::string_view, kPictureCount> kPictureNames = {
    "AppIcon",     "MarkYes",     "MarkNo",      "Backdrop1",   "Backdrop2",   "Backdrop3",
    "Backdrop4",   "Backdrop5",   "Backdrop6",   "Backdrop7",   "Disk1",       "Disk2",
    "Disk3",       "Disk4",       "Disk5",       "Disk6",       "Disk7",       "Disk8",
    "Disk9",       "Disk10",      "KeyDisk1",    "KeyDisk2",    "BlueTile1",   "BlueTile2",
    "BlueTile3",   "BlueTile4",   "BlueTile5",   "BlueTile6",   "BlueTile7",   "BlueTile8",
    "BlueTile9",   "YellowTile1", "YellowTile2", "YellowTile3", "YellowTile4", "YellowTile5",
    "YellowTile6", "YellowTile7", "YellowTile8", "YellowTile9", "PinkTile1",   "PinkTile2",
    "PinkTile3",   "PinkTile4",   "PinkTile5",   "PinkTile6",   "PinkTile7",   "PinkTile8",
    "PinkTile9",   "PinkTile10",  "PinkTile11",
};

static_assert(static_cast<std::size_t>(PictureId::PinkTile11) + 1 == kPictureCount);

constexpr std::string_view nameOf(PictureId id) { return kPictureNames[static_cast<std::size_t>(id)]; }

constexpr PictureId pictureAt(std::size_t i) { return static_cast<PictureId>(i); }

}  // namespace wizlo
