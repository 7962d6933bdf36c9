#include "assets/generator/output/image_file.hpp"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

// After <cstddef> and <cstdio>: it uses size_t and FILE without including them.
#include <jpeglib.h>

namespace wizlo::art {

std::vector<std::uint8_t> encodePng(cairo_surface_t* surface) {
  std::vector<std::uint8_t> bytes;
  const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
  };
  if (cairo_surface_write_to_png_stream(surface, append, &bytes) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot encode a PNG");
  return bytes;
}

std::vector<std::uint8_t> encodeJpeg(cairo_surface_t* surface, int quality) {
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
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
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
