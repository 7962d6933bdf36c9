#pragma once
#include <span>

#include "assets/picture_id.hpp"

// Which images the generator draws for each picture. The catalogue reads the
// sizes back from the embedded table; this is the one place that chooses them.
namespace wizlo::art {

// Backdrops are drawn at their on-screen size of 905 x 609 pixels, and again
// at twice that for a high-density screen: each stays crisp, and an ordinary
// screen neither decodes nor scales down four times the pixels it shows.
struct BackdropSize {
  int width, height;
};
inline constexpr BackdropSize kBackdropSizes[] = {{905, 609}, {1810, 1218}};

enum class Family { AppIcon, Mark, Backdrop, Disk, KeyDisk, BlueTile, YellowTile, PinkTile };

constexpr Family familyOf(PictureId id) {
  using enum PictureId;
  if (id == AppIcon) return Family::AppIcon;
  if (id == MarkYes || id == MarkNo) return Family::Mark;
  if (id >= Backdrop1 && id <= Backdrop7) return Family::Backdrop;
  if (id >= Disk1 && id <= Disk10) return Family::Disk;
  if (id == KeyDisk1 || id == KeyDisk2) return Family::KeyDisk;
  if (id >= BlueTile1 && id <= BlueTile9) return Family::BlueTile;
  if (id >= YellowTile1 && id <= YellowTile9) return Family::YellowTile;
  return Family::PinkTile;
}

// The number a disk, key disk or tile shows: 1 for Disk1, 11 for PinkTile11.
constexpr int numberOf(PictureId id) {
  using enum PictureId;
  const auto at = [id](PictureId first) { return static_cast<int>(id) - static_cast<int>(first) + 1; };
  switch (familyOf(id)) {
    case Family::Disk: return at(Disk1);
    case Family::KeyDisk: return at(KeyDisk1);
    case Family::BlueTile: return at(BlueTile1);
    case Family::YellowTile: return at(YellowTile1);
    case Family::PinkTile: return at(PinkTile1);
    default: return 0;
  }
}

// Square icon sizes, each drawn for itself. Tiles are stretched to about
// 36 x 28 pixels and, once dropped, to circles of up to 63 x 52; pieces'
// disks are drag pointers, which the window system shows at 32 or 48; the
// marks are shown at 72 x 78; the program icon goes to the desktop as well.
inline constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};
inline constexpr int kMarkSizes[] = {32, 64, 128, 256};
inline constexpr int kDiskSizes[] = {16, 32, 48, 64, 128, 256};
inline constexpr int kKeyDiskSizes[] = {32, 64};  // never shown
inline constexpr int kTileSizes[] = {16, 32, 64, 128};

constexpr std::span<const int> iconSizesOf(PictureId id) {
  switch (familyOf(id)) {
    case Family::AppIcon: return kAppIconSizes;
    case Family::Mark: return kMarkSizes;
    case Family::Backdrop: return {};
    case Family::Disk: return kDiskSizes;
    case Family::KeyDisk: return kKeyDiskSizes;
    default: return kTileSizes;
  }
}

}  // namespace wizlo::art
