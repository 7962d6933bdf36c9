#pragma once
#include <array>
#include <cstdint>
#include <stdexcept>
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

// A picture as a layout names it: one of the program's own by its id, or one that a teacher's board
// pack brings along, by the key the pack gives it. The program's own content files name ids
// (`.Picture = PictureId::MarkNo` converts); only a pack's layout, read at run time, names keys, and
// the pack that names them keeps the text they view.
class PictureKey {
 public:
  constexpr PictureKey(PictureId id) : id_(id) {}  // NOLINT: implicit, so content files name ids
  static constexpr PictureKey packed(std::string_view key) { return PictureKey(key); }

  constexpr bool isPacked() const { return packed_; }
  // The catalogue id; a pack's own picture has none, and asking for it is a fault of the caller.
  constexpr PictureId id() const {
    if (packed_) throw std::logic_error("a pack's own picture has no catalogue id");
    return id_;
  }
  constexpr std::string_view packKey() const { return packed_ ? key_ : std::string_view{}; }
  constexpr std::string_view name() const { return packed_ ? key_ : nameOf(id_); }

  friend constexpr bool operator==(const PictureKey& a, const PictureKey& b) {
    return a.packed_ == b.packed_ && (a.packed_ ? a.key_ == b.key_ : a.id_ == b.id_);
  }

 private:
  constexpr explicit PictureKey(std::string_view key) : key_(key), packed_(true) {}
  PictureId id_ = PictureId::AppIcon;
  std::string_view key_;
  bool packed_ = false;
};

constexpr std::string_view nameOf(const PictureKey& key) { return key.name(); }

}  // namespace wizlo
