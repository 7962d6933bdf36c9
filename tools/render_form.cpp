// Draws any form, as it looks when loaded, into a PNG file: no display
// needed, so anyone can look at every form and the README's pictures can be
// made again whenever the art changes.
//
//   wizlo-render FORM OUT.png [SCALE]     e.g. wizlo-render Form2 board.png 2

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/control_set.hpp"
#include "forms/sdl_draw.hpp"

int main(int argc, char** argv) {
  using namespace wizlo;
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s FORM OUT.png [SCALE]   (FORM is Form1 to Form7, SCALE 1 or 2)\n", argv[0]);
    return 2;
  }
  const FormLayout* layout = layoutNamed(argv[1]);
  const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
  if (!layout || scale < 1 || scale > 4) {
    std::fprintf(stderr, "%s: no form '%s' or a scale outside 1 to 4\n", argv[0], argv[1]);
    return 2;
  }
  const ControlSet controls(*layout, assets::picture);
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(drawFormToSurface(controls, scale),
                                                                   SDL_FreeSurface);
  if (!surface) {
    std::fprintf(stderr, "%s: cannot draw: %s\n", argv[0], SDL_GetError());
    return 1;
  }
  if (IMG_SavePNG(surface.get(), argv[2]) != 0) {
    std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], IMG_GetError());
    return 1;
  }
  return 0;
}
