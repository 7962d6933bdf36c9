#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "assets/picture_id.hpp"
#include "forms/picture.hpp"

// Every picture of the program, drawn at build time and embedded in the
// executable; nothing is read from disk.
namespace wizlo::assets {

enum class ImageFormat : std::uint8_t { Png, Jpeg };

// One image file, as the generator wrote it: embedded in the program, or (in the browser, where
// `data` is null) fetched from the folder of pictures beside the page by its file name.
struct EncodedImage {
  const std::uint8_t* data;
  std::size_t size;
  int width, height;  // in pixels, as drawn
  ImageFormat format;
  std::string_view file;

  std::span<const std::uint8_t> bytes() const { return {data, size}; }
};

// The images of one picture, smallest first: several sizes of an icon, or
// the one image of a backdrop.
std::span<const EncodedImage> encodedImages(PictureId id);

// The artwork of a picture, made on the first call for that id, each of its
// images decoded when first drawn; every later call gives the same object.
std::shared_ptr<const Artwork> artwork(PictureId id);

// A new picture value for one use of a picture: a handle of its own, the
// artwork shared with every other value of the same id. The catalogue holds
// no pack's pictures: a key a pack gives is an error here.
PictureValue picture(PictureKey key);

// Decodes one image to ARGB8888 (decode_embedded.cpp, or decode_fetched.cpp in the browser).
// Throws std::runtime_error if the bytes are not an image, which would be a fault of the build, or
// if the browser cannot fetch it.
Bitmap decode(const EncodedImage& image);
// Starts fetching an image kept as a file beside the page, without waiting for it: decode() then
// waits only for what is still on its way. Nothing to do for an embedded image.
void fetchAhead(const EncodedImage& image);

}  // namespace wizlo::assets
