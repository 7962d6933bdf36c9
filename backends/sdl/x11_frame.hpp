#pragma once
#include <SDL.h>

#include <optional>

#include "forms/window_placement.hpp"

namespace wizlo {

// The frame the window manager will put around `hidden`, a window it has not framed yet, as it
// answers EWMH's _NET_REQUEST_FRAME_EXTENTS. Nothing off X11, with no window manager that offers
// the request, or when none answers within a tenth of a second.
std::optional<FrameExtents> frameToCome(SDL_Window* hidden);

}  // namespace wizlo
