#pragma once
#include <SDL.h>

namespace wizlo {

// A window that goes away while a mouse button is held takes the pointer's grab with it: a release let
// go outside every window of ours is never told, and one already on its way to the window gone is
// thrown away. SDL would go on taking the button for held and ignore the next press of it, a pupil's
// next click. Called once such a window is gone, with a window that stays: SDL is told at once that
// the buttons it takes for held are up. Whatever the press began ended with its window anyway.
void letGoHeldButtons(SDL_Window* staying);

}  // namespace wizlo
