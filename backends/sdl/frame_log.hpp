#pragma once
#include <SDL.h>

namespace wizlo {

// For the benchmarks (bench/): WIZLO_FRAME_LOG names a file that gets one line a shown frame,
// "<CLOCK_MONOTONIC ns> <SDL window id>", and WIZLO_EXIT_AFTER_FIRST_FRAME=1 ends the run right after
// the first one. Read once; without them it does nothing.
void noteFrameShown(SDL_Window* window);

}  // namespace wizlo
