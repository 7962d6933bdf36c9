#include "assets/generator/output/image_file.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

// After <cstddef> and <cstdio>: it uses size_t and FILE without including them.
#include <jpeglib.h>
#include <png.h>

namespace wizlo::art {

std::vector<std::uint8_t> encodePng(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);

  // Opaque pictures become RGB; others straight RGBA, un-premultiplied as Cairo's own writer does.
  const auto row = [&](int y) { return reinterpret_cast<const std::uint32_t*>(pixels + std::ptrdiff_t{y} * stride); };
  const auto everyPixelOpaque = [&] {
    for (int y = 0; y < height; ++y)
      if (std::any_of(row(y), row(y) + width, [](std::uint32_t p) { return p >> 24 != 0xFF; })) return false;
    return true;
  };
  const bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24 || everyPixelOpaque();
  const int channels = opaque ? 3 : 4;
  std::vector<unsigned char> rows(static_cast<std::size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* words = row(y);
    unsigned char* out = &rows[static_cast<std::size_t>(y) * width * channels];
    for (int x = 0; x < width; ++x, out += channels) {
      const std::uint32_t a = opaque ? 0xFF : words[x] >> 24;
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t v = (words[x] >> (16 - 8 * c)) & 0xFF;
        out[c] = static_cast<unsigned char>(a == 0 ? 0 : (v * 255 + a / 2) / a);
      }
      if (!opaque) out[3] = static_cast<unsigned char>(a);
    }
  }

  // The pictures ride inside the program, whose size counts: libpng's highest compression, and no
  // row filter, which on these flat grounds and sharp edges packs a fifth smaller than adaptive ones.
  std::vector<std::uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot encode a PNG");
  }
  const auto append = [](png_structp to, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(to));
    out->insert(out->end(), data, data + length);
  };
  png_set_write_fn(png, &bytes, append, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_set_compression_mem_level(png, 9);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rows[static_cast<std::size_t>(y) * width * channels]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::vector<std::uint8_t> encodeJpeg(cairo_surface_t* surface, int quality, bool halfColour) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);

  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  // libjpeg's default error handler exits the process; that is acceptable in
  // a build tool, whose failure stops the build anyway.
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = halfColour && c == 0 ? 2 : 1;
    info.comp_info[c].v_samp_factor = halfColour && c == 0 ? 2 : 1;
  }
  info.optimize_coding = TRUE;
  jpeg_start_compress(&info, TRUE);

  // Cairo keeps a pixel as one native-endian 32-bit word 0xAARRGGBB; an
  // opaque surface needs no un-premultiplying.
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    const auto* words = reinterpret_cast<const std::uint32_t*>(pixels + info.next_scanline * stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x + 0] = static_cast<unsigned char>(words[x] >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(words[x] >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(words[x]);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace wizlo::art
