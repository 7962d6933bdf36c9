#include "assets/catalogue.hpp"

#include <array>
#include <functional>
#include <stdexcept>
#include <string>

#include "assets/embedded_table.hpp"

namespace wizlo::assets {

namespace {

std::size_t indexOf(PictureId id) {
  const auto i = static_cast<std::size_t>(id);
  if (i >= kPictureCount) throw std::out_of_range("no picture with id " + std::to_string(i));
  return i;
}

}  // namespace

std::span<const EncodedImage> encodedImages(PictureId id) {
  const std::size_t i = indexOf(id);
  return {embedded::kImages + embedded::kFirstImage[i],
          static_cast<std::size_t>(embedded::kFirstImage[i + 1] - embedded::kFirstImage[i])};
}

std::shared_ptr<const Artwork> artwork(PictureId id) {
  // Decoded pictures live for the whole run: there are few, and every form
  // load asks for the same ones again.
  static std::array<std::shared_ptr<const Artwork>, kPictureCount> decoded;
  std::shared_ptr<const Artwork>& art = decoded[indexOf(id)];
  if (!art) {
    std::vector<Artwork::Source> images;
    for (const EncodedImage& image : encodedImages(id))
      images.push_back({image.width, image.height, [image] { return decode(image); },
                        image.data ? std::function<void()>() : [image] { fetchAhead(image); }});
    art = std::make_shared<const Artwork>(std::move(images));
  }
  return art;
}

PictureValue picture(PictureKey key) {
  if (key.isPacked()) throw std::invalid_argument("the program has no picture " + std::string(key.packKey()));
  return PictureValue::of(artwork(key.id()));
}

}  // namespace wizlo::assets
