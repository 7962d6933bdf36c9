#include "assets/image_decode.hpp"

// jpeglib.h needs FILE and size_t declared first.
#include <cstddef>
#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>
#include <png.h>

#include <stdexcept>
#include <string>

namespace wizlo::assets {

namespace {

// libjpeg ends the process on an error unless told otherwise; this jumps
// back to the decoder, which owns the cleanup.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpBack(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->back, 1);
}

void silent(j_common_ptr, int) {}

}  // namespace

Bitmap decodeJpeg(std::span<const std::uint8_t> bytes) {
  // Declared before the jump point, so nothing is skipped when libjpeg jumps back.
  Bitmap bitmap;
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = jumpBack;
  errors.manager.emit_message = silent;
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error(std::string("cannot decode an embedded JPEG image: ") + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  // Bytes B, G, R, A in memory: an ARGB8888 pixel on a little-endian machine.
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "ARGB8888 is read as B, G, R, A bytes");
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  bitmap.width = static_cast<int>(info.output_width);
  bitmap.height = static_cast<int>(info.output_height);
  bitmap.argb.resize(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(bitmap.argb.data() +
                                              static_cast<std::size_t>(info.output_scanline) * bitmap.width);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return bitmap;
}

void decodeAhead(std::span<const std::uint8_t>) {}

Bitmap decodePng(std::span<const std::uint8_t> bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    throw std::runtime_error(std::string("cannot decode an embedded PNG image: ") + image.message);
  image.format = PNG_FORMAT_BGRA;  // straight alpha, B, G, R, A bytes as above
  Bitmap bitmap;
  bitmap.width = static_cast<int>(image.width);
  bitmap.height = static_cast<int>(image.height);
  bitmap.argb.resize(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, bitmap.argb.data(), 0, nullptr)) {
    png_image_free(&image);
    throw std::runtime_error(std::string("cannot decode an embedded PNG image: ") + image.message);
  }
  return bitmap;
}

}  // namespace wizlo::assets
