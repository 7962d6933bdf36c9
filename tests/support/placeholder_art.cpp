#include <map>
#include <memory>

#include "tests/support/test_board.hpp"

namespace wizlo::testing {

std::uint32_t placeholderColour(PictureId id) {
  // Spread the ids over clearly different, fully opaque colours.
  const auto i = static_cast<std::uint32_t>(id);
  return 0xFF000000u | ((i * 97u % 256u) << 16) | ((i * 53u % 256u) << 8) | (255u - i * 31u % 256u);
}

namespace {
std::shared_ptr<const Artwork> draw(PictureId id) {
  const bool mark = id == PictureId::MarkYes || id == PictureId::MarkNo;
  std::vector<Bitmap> images;
  for (int size : {16, 32, 64}) {
    Bitmap image{size, size, Pixels(static_cast<std::size_t>(size) * size)};
    const std::uint32_t colour = id == PictureId::MarkYes  ? 0xFF00FF00u
                                 : id == PictureId::MarkNo ? 0xFFFF0000u
                                                           : placeholderColour(id);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const bool inner = x >= size / 4 && x < size * 3 / 4 && y >= size / 4 && y < size * 3 / 4;
        image.argb[static_cast<std::size_t>(y) * size + x] = (!mark || inner) ? colour : 0x00000000u;
      }
    images.push_back(std::move(image));
  }
  return std::make_shared<const Artwork>(std::move(images));
}
}  // namespace

PictureValue placeholderPicture(PictureKey key) {
  static std::map<PictureId, std::shared_ptr<const Artwork>> drawn;
  const PictureId id = key.id();
  auto& art = drawn[id];
  if (!art) art = draw(id);
  return PictureValue::of(art);
}

}  // namespace wizlo::testing
