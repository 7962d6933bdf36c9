#include "backends/sdl/frame_log.hpp"

#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace wizlo {

void noteFrameShown(SDL_Window* window) {
  static std::FILE* const log = [] {
    const char* path = std::getenv("WIZLO_FRAME_LOG");
    return path && *path ? std::fopen(path, "ae") : nullptr;  // not left open in the web opener
  }();
  static const bool exitAfterFirst = [] {
    const char* exit = std::getenv("WIZLO_EXIT_AFTER_FIRST_FRAME");
    return exit && *exit && *exit != '0';
  }();
  if (log) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(log, "%lld %u\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                 static_cast<unsigned>(SDL_GetWindowID(window)));
    std::fflush(log);
  }
  if (exitAfterFirst) std::_Exit(0);
}

}  // namespace wizlo
