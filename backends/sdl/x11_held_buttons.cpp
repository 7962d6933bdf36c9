#include "backends/sdl/x11_held_buttons.hpp"

#include <SDL_syswm.h>

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xlib.h>

namespace wizlo {

void letGoHeldButtons(SDL_Window* staying) {
  const Uint32 held = SDL_GetMouseState(nullptr, nullptr);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!held || !staying || !SDL_GetWindowWMInfo(staying, &info) || info.subsystem != SDL_SYSWM_X11) return;
  constexpr struct {
    Uint32 sdl;
    unsigned int x11;
  } kButtons[] = {{SDL_BUTTON_LMASK, Button1}, {SDL_BUTTON_MMASK, Button2}, {SDL_BUTTON_RMASK, Button3}};
  for (const auto& button : kButtons) {
    if (!(held & button.sdl)) continue;
    // At the head of the queue: SDL reads it before any press that may follow.
    XEvent release{};
    release.xbutton.type = ButtonRelease;
    release.xbutton.display = info.info.x11.display;
    release.xbutton.window = info.info.x11.window;
    release.xbutton.root = DefaultRootWindow(info.info.x11.display);
    release.xbutton.time = CurrentTime;
    release.xbutton.button = button.x11;
    release.xbutton.same_screen = True;
    XPutBackEvent(info.info.x11.display, &release);
  }
}

}  // namespace wizlo
