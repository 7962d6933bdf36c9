#include "backends/sdl/display_dpi.hpp"

#include <SDL_syswm.h>

#include <algorithm>
#include <cstdlib>

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xlib.h>

namespace wizlo {

namespace {
// SDL 2.26 finds no dpi on many X servers (Xvfb, or Xorg's fixed 96). What a desktop asks for is its
// Xft.dpi resource; after that, the dpi the X screen was given (Xorg or Xvfb -dpi).
double x11Dpi(::Display* display) {
  if (const char* xft = XGetDefault(display, "Xft", "dpi"))
    if (const double dpi = std::atof(xft); dpi > 0) return dpi;
  const int screen = DefaultScreen(display);
  const int millimetres = DisplayWidthMM(display, screen);
  return millimetres > 0 ? DisplayWidth(display, screen) * 25.4 / millimetres : 0;
}
}  // namespace

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
