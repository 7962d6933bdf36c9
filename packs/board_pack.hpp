#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/layout.hpp"
#include "packs/image_header.hpp"

// A teacher's board as one file (`.wizlo`): its layout, written as TOML in the entry "board.toml",
// and its own pictures, each at one or more pixel sizes as PNG or JPEG entries. The layout names a
// picture by a key of the pack (lower-case, as "backdrop" or "tile-3") or by the name of one of the
// program's own pieces, marks and keys ("Disk3", "MarkYes").
//
// Only the C++ library and header-only code here: the browser build reads packs with it too.
namespace wizlo::packs {

inline constexpr std::string_view kLayoutEntry = "board.toml";
inline constexpr std::string_view kBoardFormName = "Lesson";  // the form a pack's board is shown as

// One image of a pack's picture, as its header gave it and its entry holds it.
struct PackImage {
  ImageKind kind;
  int width = 0, height = 0;
  std::span<const std::uint8_t> bytes;
};

class BoardPack {
 public:
  // Reads and checks a whole pack: the container, the layout against the board rules, every picture
  // the layout names, and every image's header against the size the layout claims for it. Nothing is
  // decoded here. Throws PackError.
  static std::unique_ptr<const BoardPack> read(std::vector<std::uint8_t> file);

  const FormLayout& layout() const { return layout_; }
  // A picture's images, smallest first; empty for a key the pack does not have.
  std::span<const PackImage> images(std::string_view key) const;
  std::vector<std::string_view> pictureKeys() const;

  BoardPack(const BoardPack&) = delete;
  BoardPack& operator=(const BoardPack&) = delete;

 private:
  BoardPack() = default;
  std::string_view keep(std::string text);

  std::vector<std::uint8_t> file_;
  std::deque<std::string> texts_;  // every name, tag, key and caption the layout views
  std::vector<ImageLayout> controls_;
  FormLayout layout_;
  std::map<std::string, std::vector<PackImage>, std::less<>> pictures_;
};

// What the board maker puts into a pack.
struct NewImage {
  ImageKind kind;
  int width = 0, height = 0;
  std::vector<std::uint8_t> bytes;
};
struct NewPicture {
  std::string key;
  std::vector<NewImage> images;
};
std::vector<std::uint8_t> writeBoardPack(const FormLayout& layout, const std::vector<NewPicture>& pictures);

// The program's own pictures a pack may name: the disks pieces drag with, the marks, the keys.
bool isLendable(PictureId id);
// A key a pack may give one of its own pictures.
bool isPackKey(std::string_view key);

}  // namespace wizlo::packs
