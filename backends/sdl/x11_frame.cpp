#include "backends/sdl/x11_frame.hpp"

#include <SDL_syswm.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace wizlo {

namespace {

// A 32-bit property of `window` as longs, as Xlib hands them over; empty when the window has none.
std::vector<long> property(Display* display, Window window, Atom name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, name, 0, 1024, False, type, &actualType, &format, &count, &after, &data) ==
          Success &&
      data && actualType == type && format == 32) {
    const auto* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

}  // namespace

std::optional<FrameExtents> frameToCome(SDL_Window* hidden) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(hidden, &info) || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
  Display* display = info.info.x11.display;
  const Window window = info.info.x11.window;
  // Without a window manager that says it answers, there is no frame to wait for.
  const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  const std::vector<long> supported = property(display, DefaultRootWindow(display),
                                               XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM);
  if (std::find(supported.begin(), supported.end(), static_cast<long>(request)) == supported.end()) return std::nullopt;

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = request;
  event.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  const auto giveUpAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
  do {
    if (const std::vector<long> e = property(display, window, extents, XA_CARDINAL); e.size() == 4)
      return FrameExtents{static_cast<int>(e[0]), static_cast<int>(e[1]), static_cast<int>(e[2]),
                          static_cast<int>(e[3])};
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  } while (std::chrono::steady_clock::now() < giveUpAt);
  return std::nullopt;
}

}  // namespace wizlo
