// wizlo_make_icon OUT.ico PNG...: the program file's icon from the generator's square PNG images of it.
#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "packaging/windows/icon_file.hpp"

namespace {

wizlo::icon::Image readPng(const char* path) {
  std::ifstream in(path, std::ios::binary);
  wizlo::icon::Image image;
  image.png.assign(std::istreambuf_iterator<char>(in), {});
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, image.png.data(), image.png.size()))
    throw std::runtime_error(std::string("cannot read ") + path);
  if (png.width != png.height) throw std::runtime_error(std::string(path) + " is not square");
  png.format = PNG_FORMAT_BGRA;  // a 0xAARRGGBB word on this machine, straight alpha
  image.size = static_cast<int>(png.width);
  image.argb.resize(static_cast<std::size_t>(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, image.argb.data(), 0, nullptr))
    throw std::runtime_error(std::string("cannot decode ") + path);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUT.ico PNG...\n", argv[0]);
    return 2;
  }
  try {
    std::vector<wizlo::icon::Image> images;
    for (int i = 2; i < argc; ++i) images.push_back(readPng(argv[i]));
    const std::vector<std::uint8_t> bytes = wizlo::icon::iconFile(images);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wizlo_make_icon: %s\n", error.what());
    return 1;
  }
  return 0;
}
