// wizlo-message: the program's message box on Linux, a helper beside the program. SDL's own box draws
// Arabic letter by letter, unjoined and left to right; this one draws it with Pango, shaped and right
// to left. A process of its own, so that the program links no Pango and starts as fast without it.
//
//   wizlo-message [--scale S] MESSAGE
//
// Shows MESSAGE (Arabic, a blank line, English) centred on the screen with an OK button, and exits 0
// once it is dismissed: OK, Enter, Space, Escape or the window's close box. Without --scale the scale
// follows the display's dpi. Any other status (no display, say) tells the program to say it otherwise.

#include <cairo-xlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backends/sdl/message_box.hpp"
#include "backends/sdl/x11_dpi.hpp"
#include "forms/display_scale.hpp"

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

constexpr int kShown = 0, kUsage = 2, kNoDisplay = 3;

// Focus asked for before a window manager has mapped the window fails harmlessly.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

void setProperty(Display* display, Window window, const char* name, Atom type, int format, const void* data,
                 int count) {
  XChangeProperty(display, window, XInternAtom(display, name, False), type, format, PropModeReplace,
                  static_cast<const unsigned char*>(data), count);
}

bool inside(const wizlo::message_box::Rect& r, int x, int y) {
  return x >= r.x && x < r.right() && y >= r.y && y < r.bottom();
}

}  // namespace

int main(int argc, char** argv) {
  double scale = 0;
  int at = 1;
  if (at + 1 < argc && std::strcmp(argv[at], "--scale") == 0) {
    scale = std::atof(argv[at + 1]);
    at += 2;
  }
  if (at + 1 != argc) {
    std::fprintf(stderr, "usage: wizlo-message [--scale S] MESSAGE\n");
    return kUsage;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return kNoDisplay;
  XSetErrorHandler(ignoreErrors);
  const int screen = DefaultScreen(display);
  const int screenWidth = DisplayWidth(display, screen), screenHeight = DisplayHeight(display, screen);
  if (!(scale > 0)) scale = wizlo::displayScale(wizlo::x11Dpi(display), 0, 0, screenWidth, screenHeight);

  const wizlo::message_box::MessageBox box(argv[at], scale);
  const int width = box.width(), height = box.height();
  const int x = std::max(0, (screenWidth - width) / 2), y = std::max(0, (screenHeight - height) / 2);

  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display, screen);
  attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const Window window = XCreateWindow(display, RootWindow(display, screen), x, y, width, height, 0, CopyFromParent,
                                      InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);

  const char* title = "Wizlo";
  XStoreName(display, window, title);
  setProperty(display, window, "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False), 8, title,
              static_cast<int>(std::strlen(title)));
  XClassHint classHint{const_cast<char*>("wizlo-message"), const_cast<char*>("Wizlo")};
  XSetClassHint(display, window, &classHint);
  // Its own size, centred, as a dialog: a window manager neither stretches nor places it elsewhere.
  XSizeHints* size = XAllocSizeHints();
  size->flags = USPosition | PPosition | PMinSize | PMaxSize;
  size->x = x;
  size->y = y;
  size->min_width = size->max_width = width;
  size->min_height = size->max_height = height;
  XSetWMNormalHints(display, window, size);
  XFree(size);
  XWMHints* hints = XAllocWMHints();
  hints->flags = InputHint;
  hints->input = True;
  XSetWMHints(display, window, hints);
  XFree(hints);
  const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  setProperty(display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM, 32, &dialog, 1);
  const long pid = getpid();
  setProperty(display, window, "_NET_WM_PID", XA_CARDINAL, 32, &pid, 1);
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);

  // Drawn once, before the window maps, and copied to it at every exposure.
  cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  const auto paint = [&](bool pressed) {
    cairo_t* cairo = cairo_create(picture);
    box.draw(cairo, pressed);
    cairo_destroy(cairo);
  };
  paint(false);
  cairo_surface_t* target =
      cairo_xlib_surface_create(display, window, DefaultVisual(display, screen), width, height);
  const auto show = [&] {
    cairo_t* cairo = cairo_create(target);
    cairo_set_source_surface(cairo, picture, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(target);
    XFlush(display);
  };
  XMapRaised(display, window);

  bool pressed = false;
  for (bool open = true; open;) {
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case Expose:
        if (event.xexpose.count == 0) show();
        break;
      case MapNotify:
        // Without a window manager nobody else gives it the keyboard.
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        break;
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        open = !(key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space);
        break;
      }
      case ButtonPress:
        if (event.xbutton.button == Button1 && inside(box.button(), event.xbutton.x, event.xbutton.y)) {
          pressed = true;
          paint(true);
          show();
        }
        break;
      case ButtonRelease:
        if (event.xbutton.button == Button1 && pressed) {
          // Let go off the button, it stays: as any button a pointer slid off.
          open = !inside(box.button(), event.xbutton.x, event.xbutton.y);
          pressed = false;
          paint(false);
          show();
        }
        break;
      case ClientMessage:
        open = static_cast<Atom>(event.xclient.data.l[0]) != deleteWindow;
        break;
      default: break;
    }
  }
  cairo_surface_destroy(target);
  cairo_surface_destroy(picture);
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return kShown;
}
