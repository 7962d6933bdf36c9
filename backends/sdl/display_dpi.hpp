#pragma once
#include <SDL.h>

namespace wizlo {

// The dots per inch of the display `window` is on; 0 when nothing tells.
double displayDpi(SDL_Window* window);

}  // namespace wizlo
