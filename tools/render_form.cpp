// Draws any form, as it looks when loaded, into a PNG file: no display
// needed, so anyone can look at every form and the README's pictures can be
// made again whenever the art changes.
//
//   wizlo-render FORM OUT.png [SCALE]     e.g. wizlo-render Form2 board.png 1.5

#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/compose.hpp"

int main(int argc, char** argv) {
  using namespace wizlo;
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s FORM OUT.png [SCALE]   (FORM is Form1 to Form7, SCALE 1 to 4)\n", argv[0]);
    return 2;
  }
  const FormLayout* layout = layoutNamed(argv[1]);
  const double scale = argc == 4 ? std::atof(argv[3]) : 1;
  if (!layout || !(scale >= 1 && scale <= 4)) {
    std::fprintf(stderr, "%s: no form '%s' or a scale outside 1 to 4\n", argv[0], argv[1]);
    return 2;
  }
  const ControlSet controls(*layout, assets::picture);
  const Bitmap area = composeClientArea(controls, scale);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(area.width);
  image.height = static_cast<png_uint_32>(area.height);
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words, little-endian
  if (!png_image_write_to_file(&image, argv[2], 0, area.argb.data(), area.width * 4, nullptr)) {
    std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], image.message);
    return 1;
  }
  return 0;
}
