#include "packs/pack_pictures.hpp"

#include <exception>
#include <vector>

#include "assets/catalogue.hpp"
#include "assets/image_decode.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::packs {

PackPictures::PackPictures(const BoardPack& pack) {
  for (const std::string_view key : pack.pictureKeys()) {
    std::vector<Artwork::Source> sources;
    for (const PackImage& image : pack.images(key))
      sources.push_back({image.width, image.height, [image] {
                           return image.kind == ImageKind::Jpeg ? assets::decodeJpeg(image.bytes)
                                                                : assets::decodePng(image.bytes);
                         }});
    artworks_.emplace(key, std::make_shared<const Artwork>(std::move(sources)));
  }
}

void PackPictures::decodeAll() const {
  for (const auto& [key, art] : artworks_) {
    try {
      for (std::size_t i = 0; i < art->imageCount(); ++i) art->image(i);
    } catch (const std::exception&) {
      throw PackError("صورة «" + key + "» تالفة.", "its picture " + key + " does not decode to the image it claims to be.");
    }
  }
}

PictureValue PackPictures::operator()(PictureKey key) const {
  if (!key.isPacked()) return assets::picture(key);
  const auto found = artworks_.find(key.packKey());
  if (found == artworks_.end()) throw std::invalid_argument("the pack has no picture " + std::string(key.packKey()));
  return PictureValue::of(found->second);
}

}  // namespace wizlo::packs
