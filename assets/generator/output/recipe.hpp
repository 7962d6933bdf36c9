#pragma once
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>

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

// A picture's family is the name it is numbered in: Disk for Disk7, PinkTile for PinkTile11. So a
// picture added to the catalogue, a board's backdrop say, needs no word here.
constexpr Family familyOf(PictureId id) {
  constexpr std::pair<std::string_view, Family> kFamilies[] = {
      {"AppIcon", Family::AppIcon},       {"Mark", Family::Mark},         {"Backdrop", Family::Backdrop},
      {"KeyDisk", Family::KeyDisk},       {"Disk", Family::Disk},         {"BlueTile", Family::BlueTile},
      {"YellowTile", Family::YellowTile}, {"PinkTile", Family::PinkTile},
  };
  for (const auto& [prefix, family] : kFamilies)
    if (nameOf(id).starts_with(prefix)) return family;
  throw std::invalid_argument("a picture of no family");
}

// The number a disk, key disk or tile shows: 1 for Disk1, 11 for PinkTile11.
constexpr int numberOf(PictureId id) {
  const std::string_view name = nameOf(id);
  int number = 0;
  for (std::size_t i = name.find_first_of("0123456789"); i < name.size(); ++i) number = number * 10 + (name[i] - '0');
  return number;
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

// The smallest and the largest a picture is shown at, in 96-dpi pixels, for each family whose image
// is chosen by the screen's scale (the app icon's are the system's, at sizes of their own). A tile is
// stretched to about 36 x 28 and, dropped, to a circle of up to 63 x 52; a disk is a piece of up to
// 64 and a drag pointer of 32; a mark 72 x 78; a backdrop its own size. A browser keeps, of each
// picture, only the images a screen of its scale draws (the site's service worker).
struct ShownSizes {
  BackdropSize smallest, largest;
};
constexpr std::optional<ShownSizes> shownSizesOf(PictureId id) {
  switch (familyOf(id)) {
    case Family::AppIcon: return std::nullopt;
    case Family::Mark: return ShownSizes{{72, 72}, {78, 78}};
    case Family::Backdrop: return ShownSizes{kBackdropSizes[0], kBackdropSizes[0]};
    case Family::Disk:
    case Family::KeyDisk: return ShownSizes{{32, 32}, {64, 64}};
    default: return ShownSizes{{28, 28}, {63, 63}};
  }
}

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
