#include <emscripten.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "assets/browser_image.hpp"
#include "assets/image_decode.hpp"

// The image's pixels as bytes R, G, B, A in memory the program frees, and its size; null when the
// browser could not fetch or decode it. JPEG and opaque PNG come out as libjpeg-turbo and libpng
// give them; where a PNG is translucent the canvas keeps its colours premultiplied, which costs them
// a level or two where alpha is low.
EM_ASYNC_JS(std::uint8_t*, wizlo_decode_image,
            (const char* file, const std::uint8_t* bytes, int size, int* width, int* height), {
  try {
    const name = UTF8ToString(file);
    let blob;
    if (bytes) {
      blob = new Blob([HEAPU8.slice(bytes, bytes + size)]);
    } else {
      const response = await fetch("pictures/" + name);
      if (!response.ok) throw new Error(name + ": " + response.status + " " + response.statusText);
      blob = await response.blob();
    }
    const bitmap = await createImageBitmap(blob, {premultiplyAlpha: "none", colorSpaceConversion: "none"});
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const pixels = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const out = _malloc(pixels.length);
    HEAPU8.set(pixels, out);
    HEAP32[width >> 2] = bitmap.width;
    HEAP32[height >> 2] = bitmap.height;
    bitmap.close();
    return out;
  } catch (error) {
    console.error("wizlo: " + error);
    return 0;
  }
});

namespace wizlo::assets {

Bitmap browserImage(std::string_view file, std::span<const std::uint8_t> bytes) {
  const std::string name(file);
  int width = 0, height = 0;
  std::uint8_t* rgba = wizlo_decode_image(name.c_str(), bytes.empty() ? nullptr : bytes.data(),
                                          static_cast<int>(bytes.size()), &width, &height);
  if (!rgba) throw std::runtime_error("cannot load the picture " + (name.empty() ? "given" : name));
  Bitmap bitmap{width, height, {}};
  bitmap.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < bitmap.argb.size(); ++i) {
    const std::uint8_t* p = rgba + 4 * i;
    bitmap.argb[i] = std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
  }
  std::free(rgba);
  return bitmap;
}

Bitmap decodeJpeg(std::span<const std::uint8_t> bytes) { return browserImage({}, bytes); }
Bitmap decodePng(std::span<const std::uint8_t> bytes) { return browserImage({}, bytes); }

}  // namespace wizlo::assets
