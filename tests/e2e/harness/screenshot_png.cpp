// Saving a screenshot, so a failing test leaves a picture of what it saw.

#include <SDL.h>
#include <SDL_image.h>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

bool Screenshot::savePng(const std::string& path) const {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 24, SDL_PIXELFORMAT_RGB24);
  if (!surface) return false;
  for (int y = 0; y < height_; ++y) {
    auto* row = static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < width_; ++x) {
      const Rgb p = at({x, y});
      row[3 * x] = p.r;
      row[3 * x + 1] = p.g;
      row[3 * x + 2] = p.b;
    }
  }
  const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return saved;
}

}  // namespace wizlo::e2e
