#include "forms/picture.hpp"

#include <algorithm>
#include <stdexcept>

namespace wizlo {

Artwork::Artwork(std::vector<Bitmap> images) : images_(std::move(images)) {
  if (images_.empty()) throw std::invalid_argument("artwork needs at least one image");
  std::sort(images_.begin(), images_.end(),
            [](const Bitmap& a, const Bitmap& b) { return a.width * a.height < b.width * b.height; });
}

const Bitmap& Artwork::bestFor(int w, int h) const {
  for (const Bitmap& image : images_)
    if (image.width >= w && image.height >= h) return image;
  return images_.back();
}

PictureValue PictureValue::of(std::shared_ptr<const Artwork> art) {
  // Handles only need to be distinct while the program runs; 0 is reserved
  // for the empty picture, so the counter skips it if it ever wraps.
  static std::uint32_t next = 0;
  PictureValue picture;
  if (!art) return picture;
  if (++next == 0) ++next;
  picture.art_ = std::move(art);
  picture.handle_ = next;
  return picture;
}

}  // namespace wizlo
