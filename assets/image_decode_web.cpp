#include <emscripten.h>

#include <stdexcept>
#include <string>

#include "assets/browser_image.hpp"
#include "assets/image_decode.hpp"

// The page decodes (web_pictures.js); the pixels wait there until the program has made room for
// them, and are then copied once, straight into the bitmap.
EM_ASYNC_JS(int, wizlo_decode_image, (const char* file, const std::uint8_t* bytes, int size, int* width, int* height), {
  try {
    const image = bytes ? await WizloPictures.bytes(HEAPU8.slice(bytes, bytes + size), bytes + ":" + size)
                        : await WizloPictures.file(UTF8ToString(file));
    Module.wizloDecoded = image;
    HEAP32[width >> 2] = image.width;
    HEAP32[height >> 2] = image.height;
    return 1;
  } catch (error) {
    console.error("wizlo: " + error);
    return 0;
  }
});
// The same bytes, asked for later, are known by where they lie and how many they are.
EM_JS(void, wizlo_decode_ahead, (const std::uint8_t* bytes, int size),
      { WizloPictures.bytesAhead(bytes + ":" + size, HEAPU8.slice(bytes, bytes + size)); });
EM_JS(void, wizlo_take_decoded, (std::uint32_t* into), {
  HEAPU8.set(Module.wizloDecoded.data, into);
  Module.wizloDecoded = null;
});

namespace wizlo::assets {

Bitmap browserImage(std::string_view file, std::span<const std::uint8_t> bytes) {
  const std::string name(file);
  int width = 0, height = 0;
  if (!wizlo_decode_image(name.c_str(), bytes.empty() ? nullptr : bytes.data(), static_cast<int>(bytes.size()),
                          &width, &height)) {
    // A file beside the page may be missing, or its network gone: only what needs it stops.
    if (!name.empty()) throw PictureUnavailable(name);
    throw std::runtime_error("cannot load the picture given");
  }
  Bitmap bitmap{width, height, {}};
  bitmap.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  // Bytes R, G, B, A: in the browser, pictures are words 0xAABBGGRR, as the canvas takes them.
  wizlo_take_decoded(bitmap.argb.data());
  return bitmap;
}

Bitmap decodeJpeg(std::span<const std::uint8_t> bytes) { return browserImage({}, bytes); }
Bitmap decodePng(std::span<const std::uint8_t> bytes) { return browserImage({}, bytes); }

void decodeAhead(std::span<const std::uint8_t> bytes) {
  if (!bytes.empty()) wizlo_decode_ahead(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace wizlo::assets
