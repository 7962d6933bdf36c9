#include "assets/catalogue.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

#include "assets/generator/embedded_table.hpp"

namespace wizlo::assets {

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

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

Bitmap decode(const EncodedImage& image) {
  Surface loaded{IMG_Load_RW(SDL_RWFromConstMem(image.data, static_cast<int>(image.size)), 1)};
  if (!loaded) throw std::runtime_error(std::string("cannot decode an embedded image: ") + IMG_GetError());
  Surface argb{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0)};
  if (!argb) throw std::runtime_error(std::string("cannot convert an embedded image: ") + SDL_GetError());

  Bitmap bitmap;
  bitmap.width = argb->w;
  bitmap.height = argb->h;
  bitmap.argb.resize(static_cast<std::size_t>(argb->w) * argb->h);
  const auto* pixels = static_cast<const std::uint8_t*>(argb->pixels);
  for (int y = 0; y < argb->h; ++y)
    std::memcpy(bitmap.argb.data() + static_cast<std::size_t>(y) * argb->w, pixels + y * argb->pitch,
                static_cast<std::size_t>(argb->w) * sizeof(std::uint32_t));
  return bitmap;
}

std::shared_ptr<const Artwork> artwork(PictureId id) {
  // Decoded pictures live for the whole run: there are few, and every form
  // load asks for the same ones again.
  static std::array<std::shared_ptr<const Artwork>, kPictureCount> decoded;
  std::shared_ptr<const Artwork>& art = decoded[indexOf(id)];
  if (!art) {
    std::vector<Bitmap> images;
    for (const EncodedImage& image : encodedImages(id)) images.push_back(decode(image));
    art = std::make_shared<const Artwork>(std::move(images));
  }
  return art;
}

PictureValue picture(PictureId id) { return PictureValue::of(artwork(id)); }

}  // namespace wizlo::assets
