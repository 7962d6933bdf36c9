#pragma once
// What must hold for any bytes at all handed to the pack reader: it comes back, either with a pack
// that keeps every board rule or with a PackError to show the teacher; never another exception, a
// crash or a hang. The first byte chooses what the rest is: 0, a whole pack file; 1, the layout
// (board.toml) of a pack whose images, named in it, are made up to fit, so that mutations reach the
// layout past the checksums a mutated file would fail.

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "packs/board_pack.hpp"
#include "packs/board_rules.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::fuzz {

inline void requirePack(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "pack reader: %s\n", what);
  std::abort();
}

// A header-only image of the size and kind its entry name ("tile-1-16x16.png") says.
inline std::vector<std::uint8_t> madeUpImage(const std::string& name) {
  const std::size_t dash = name.rfind('-'), x = name.rfind('x'), dot = name.rfind('.');
  int w = 1, h = 1;
  if (dash != std::string::npos && x != std::string::npos && dot != std::string::npos && dash < x && x < dot) {
    w = std::atoi(name.c_str() + dash + 1);
    h = std::atoi(name.c_str() + x + 1);
  }
  const auto be = [](std::vector<std::uint8_t>& out, unsigned v, int width) {
    for (int i = width; i-- > 0;) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  std::vector<std::uint8_t> out;
  if (name.ends_with(".jpg")) {
    out = {0xFF, 0xD8, 0xFF, 0xC0};
    be(out, 11, 2);
    out.push_back(8);
    be(out, static_cast<unsigned>(h), 2);
    be(out, static_cast<unsigned>(w), 2);
    out.insert(out.end(), {1, 1, 0x11, 0});
    return out;
  }
  out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  be(out, 13, 4);
  out.insert(out.end(), {'I', 'H', 'D', 'R'});
  be(out, static_cast<unsigned>(w), 4);
  be(out, static_cast<unsigned>(h), 4);
  out.insert(out.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
  return out;
}

// A pack of the layout and every entry it names.
inline std::vector<std::uint8_t> packAround(const std::string& layout) {
  std::vector<packs::NewEntry> entries{{std::string(packs::kLayoutEntry), {layout.begin(), layout.end()}}};
  for (std::size_t at = layout.find("entry"); at != std::string::npos; at = layout.find("entry", at + 1)) {
    const std::size_t open = layout.find_first_of("'\"", at);
    const std::size_t close = open == std::string::npos ? open : layout.find(layout[open], open + 1);
    if (close == std::string::npos || close - open > 80) continue;
    const std::string name = layout.substr(open + 1, close - open - 1);
    bool named = false;
    for (const auto& e : entries) named = named || e.name == name;
    if (!named) entries.push_back({name, madeUpImage(name)});
  }
  try {
    return packs::writeContainer(entries);
  } catch (const std::invalid_argument&) {
    return {};  // a name no pack may hold: nothing to read
  }
}

inline void checkPackBytes(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  std::vector<std::uint8_t> file = data[0] == 1 ? packAround(std::string(data.begin() + 1, data.end()))
                                                : std::vector<std::uint8_t>(data.begin() + 1, data.end());
  std::unique_ptr<const packs::BoardPack> pack;
  try {
    pack = packs::BoardPack::read(file);
  } catch (const packs::PackError& refused) {
    requirePack(*refused.english() != '\0' && !refused.arabic().empty(), "a refusal that says nothing");
    return;
  }
  // Taken: then it keeps every rule, and every image it gives lies within its own bytes.
  try {
    packs::checkBoardLayout(pack->layout(), [&](const PictureKey& key) {
      return !key.isPacked() || !pack->images(key.packKey()).empty();
    });
  } catch (const packs::PackError&) {
    requirePack(false, "a pack taken that breaks a board rule");
  }
  for (const std::string_view key : pack->pictureKeys())
    for (const packs::PackImage& image : pack->images(key))
      requirePack(!image.bytes.empty() && image.width > 0 && image.height > 0, "an image of nothing");
}

}  // namespace wizlo::fuzz
