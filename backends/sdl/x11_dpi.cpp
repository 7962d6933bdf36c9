#include "backends/sdl/x11_dpi.hpp"

#include <cstdlib>

#include <X11/Xlib.h>

namespace wizlo {

double x11Dpi(::Display* display) {
  if (const char* xft = XGetDefault(display, "Xft", "dpi"))
    if (const double dpi = std::atof(xft); dpi > 0) return dpi;
  const int screen = DefaultScreen(display);
  const int millimetres = DisplayWidthMM(display, screen);
  return millimetres > 0 ? DisplayWidth(display, screen) * 25.4 / millimetres : 0;
}

}  // namespace wizlo
