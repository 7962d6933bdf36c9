// The board maker's pictures in the browser, which has neither libjpeg nor libpng for us: the
// backdrops and pieces encoded, and the backdrops decoded back for the checks, by Debian's stb, so
// that the browser checks a backdrop as the program will show it, as the Linux maker does.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <cairo.h>

#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image.h>  // compiled in maker/stb.cpp
#include <stb/stb_image_write.h>

#include "assets/generator/output/image_file.hpp"
#include "assets/image_decode.hpp"
#include "maker/web/straight_rgba.hpp"

namespace wizlo {
namespace {

void appendTo(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

struct Rows {
  int width = 0, height = 0, channels = 3;
  std::vector<unsigned char> bytes;
};

// The surface's premultiplied 0xAARRGGBB words as straight RGB, or RGBA where any pixel is not opaque.
Rows rowsOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Rows rows;
  rows.width = cairo_image_surface_get_width(surface);
  rows.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const auto row = [&](int y) { return reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t{y} * stride); };
  bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
  if (!opaque) {
    opaque = true;
    for (int y = 0; y < rows.height && opaque; ++y)
      opaque = std::all_of(row(y), row(y) + rows.width, [](std::uint32_t p) { return p >> 24 == 0xFF; });
  }
  rows.channels = opaque ? 3 : 4;
  rows.bytes.resize(static_cast<std::size_t>(rows.width) * rows.height * rows.channels);
  unsigned char* out = rows.bytes.data();
  for (int y = 0; y < rows.height; ++y)
    for (int x = 0; x < rows.width; ++x, out += rows.channels)
      maker::putStraight(opaque ? row(y)[x] | 0xFF000000u : row(y)[x], out, !opaque);
  return rows;
}

Bitmap decoded(std::span<const std::uint8_t> bytes, const char* kind) {
  int width = 0, height = 0, channels = 0;
  unsigned char* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  if (!rgba) throw std::runtime_error(std::string("cannot decode a ") + kind + " image: " + stbi_failure_reason());
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < bitmap.argb.size(); ++i) {
    const unsigned char* p = rgba + 4 * i;
    bitmap.argb[i] = std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
  }
  stbi_image_free(rgba);
  return bitmap;
}

}  // namespace

namespace art {

std::vector<std::uint8_t> encodePng(cairo_surface_t* surface) {
  const Rows rows = rowsOf(surface);
  // As the Linux maker writes them: the highest compression, and no row filter.
  stbi_write_png_compression_level = 9;
  stbi_write_force_png_filter = 0;
  std::vector<std::uint8_t> bytes;
  if (!stbi_write_png_to_func(appendTo, &bytes, rows.width, rows.height, rows.channels, rows.bytes.data(),
                              rows.width * rows.channels))
    throw std::runtime_error("cannot encode a PNG");
  return bytes;
}

std::vector<std::uint8_t> encodeJpeg(cairo_surface_t* surface, int quality, bool /*halfColour*/) {
  Rows rows = rowsOf(surface);
  if (rows.channels != 3) throw std::logic_error("a JPEG backdrop must be opaque");
  // stb halves the colour's resolution at quality 90 and below; thin coloured letters need it whole,
  // as libjpeg writes them on Linux, so the next quality up.
  std::vector<std::uint8_t> bytes;
  if (!stbi_write_jpg_to_func(appendTo, &bytes, rows.width, rows.height, 3, rows.bytes.data(), std::max(quality, 91)))
    throw std::runtime_error("cannot encode a JPEG");
  return bytes;
}

}  // namespace art

namespace assets {

Bitmap decodeJpeg(std::span<const std::uint8_t> bytes) { return decoded(bytes, "JPEG"); }
Bitmap decodePng(std::span<const std::uint8_t> bytes) { return decoded(bytes, "PNG"); }
void decodeAhead(std::span<const std::uint8_t>) {}

}  // namespace assets
}  // namespace wizlo
