#include "backends/sdl/x11_errors.hpp"

#include <X11/Xlib.h>

namespace wizlo {

namespace {
XErrorHandler previousHandler = nullptr;

int onXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return previousHandler ? previousHandler(display, error) : 0;
}
}  // namespace

void tolerateStaleWindowErrors() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  previousHandler = XSetErrorHandler(onXError);
}

}  // namespace wizlo
