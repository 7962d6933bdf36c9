#include "backends/sdl/display_dpi.hpp"

#include <SDL_syswm.h>

#include <algorithm>

#include "backends/sdl/x11_dpi.hpp"

namespace wizlo {

// SDL 2.26 finds no dpi on many X servers (Xvfb, or Xorg's fixed 96): X tells first.
double displayDpi(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
    if (const double dpi = x11Dpi(info.info.x11.display); dpi > 0) return dpi;
  float diagonal = 0;
  if (SDL_GetDisplayDPI(std::max(0, SDL_GetWindowDisplayIndex(window)), &diagonal, nullptr, nullptr) == 0)
    return diagonal;
  return 0;
}

}  // namespace wizlo
