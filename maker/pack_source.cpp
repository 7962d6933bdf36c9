#include "maker/pack_source.hpp"

#include <string>

#include "maker/make_board.hpp"
#include "packs/board_pack.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::maker {
namespace {

constexpr std::uint8_t kComment = 0xFE;
constexpr std::size_t kMaxSegment = 0xFFFF - 2;  // a segment's length counts its own two bytes

std::size_t lengthAt(std::span<const std::uint8_t> jpeg, std::size_t at) {
  return at + 3 < jpeg.size() ? std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3] : 0;
}

LinkedBoard refused(std::string arabic, std::string english) { return {std::nullopt, {0, std::move(arabic), std::move(english)}}; }

}  // namespace

std::vector<std::uint8_t> withBoardFile(std::vector<std::uint8_t> jpeg, std::string_view boardFile) {
  const std::string link = boardLink(boardFile);
  if (link.size() > kMaxSegment || jpeg.size() < 4) return jpeg;  // no room: the pack is still whole
  // After the JFIF segment, which must come first.
  std::size_t at = 2;
  if (jpeg[2] == 0xFF && jpeg[3] == 0xE0) at += 2 + lengthAt(jpeg, 2);
  const std::size_t length = link.size() + 2;
  std::vector<std::uint8_t> segment = {0xFF, kComment, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
  segment.insert(segment.end(), link.begin(), link.end());
  jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(std::min(at, jpeg.size())), segment.begin(), segment.end());
  return jpeg;
}

LinkedBoard boardFileOfPack(std::vector<std::uint8_t> pack) {
  std::unique_ptr<const packs::BoardPack> read;
  try {
    read = packs::BoardPack::read(std::move(pack));
  } catch (const packs::PackError& e) {
    return refused("لا يمكن فتح هذه اللوحة: " + e.arabic(), std::string("this board cannot be opened: ") + e.english());
  }
  // The segments before the picture's data, each with its length, as the header reader walks them.
  for (const packs::PackImage& image : read->images(kBackdropKey)) {
    const std::span<const std::uint8_t> jpeg = image.bytes;
    for (std::size_t at = 2; at + 3 < jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA;) {
      const std::size_t length = lengthAt(jpeg, at);
      if (length < 2 || at + 2 + length > jpeg.size()) break;
      const std::string_view text(reinterpret_cast<const char*>(jpeg.data() + at + 4), length - 2);
      if (jpeg[at + 1] == kComment && text.starts_with(kLinkKey)) return readBoardLink(text);
      at += 2 + length;
    }
  }
  return refused("هذه اللوحة صُنعت قبل أن تحمل اللوحات ملفها، فلا تُفتح للتعديل؛ ويُفتح ملف اللوحة (.toml) أو رابطها بدلًا منها.",
                 "this board was made before boards carried their board file, so it cannot be opened to change it; open its board file (.toml) or its link instead.");
}

}  // namespace wizlo::maker
