#include "forms/picture.hpp"

#include <algorithm>
#include <stdexcept>

namespace wizlo {

Artwork::Artwork(std::vector<Bitmap> images) {
  for (Bitmap& image : images) images_.push_back({image.width, image.height, {}, std::move(image)});
  orderImages();
}

Artwork::Artwork(std::vector<Source> sources) {
  for (Source& source : sources) {
    if (!source.decode) throw std::invalid_argument("an artwork image needs a decoder");
    images_.push_back({source.width, source.height, std::move(source.decode), std::nullopt, std::move(source.fetch)});
  }
  orderImages();
}

void Artwork::orderImages() {
  if (images_.empty()) throw std::invalid_argument("artwork needs at least one image");
  std::stable_sort(images_.begin(), images_.end(),
                   [](const Image& a, const Image& b) { return a.width * a.height < b.width * b.height; });
}

const Bitmap& Artwork::image(std::size_t index) const {
  const Image& image = images_.at(index);
  if (!image.pixels) {
    Bitmap decoded = image.decode();
    // The size is what every choice of image went by: a decoder that gave another would misplace pictures.
    if (decoded.width != image.width || decoded.height != image.height ||
        decoded.argb.size() != static_cast<std::size_t>(decoded.width) * static_cast<std::size_t>(decoded.height))
      throw std::runtime_error("an artwork image decoded to another size than it was given");
    image.pixels = std::move(decoded);
  }
  return *image.pixels;
}

std::size_t Artwork::bestIndexFor(int w, int h) const {
  for (std::size_t i = 0; i < images_.size(); ++i)
    if (images_[i].width >= w && images_[i].height >= h) return i;
  return images_.size() - 1;
}

const Bitmap& Artwork::bestFor(int w, int h) const { return image(bestIndexFor(w, h)); }

void Artwork::fetchAhead(int w, int h) const { fetchImageAhead(bestIndexFor(w, h)); }

void Artwork::fetchImageAhead(std::size_t index) const {
  const Image& image = images_.at(index);
  if (!image.pixels && image.fetch) image.fetch();
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
