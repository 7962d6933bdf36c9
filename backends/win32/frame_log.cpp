#include "backends/win32/frame_log.hpp"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace wizlo {

void noteFrameShown(unsigned window) {
  static std::FILE* const log = [] {
    const char* path = std::getenv("WIZLO_FRAME_LOG");
    return path && *path ? std::fopen(path, "a") : nullptr;
  }();
  static const bool exitAfterFirst = [] {
    const char* exit = std::getenv("WIZLO_EXIT_AFTER_FIRST_FRAME");
    return exit && *exit && *exit != '0';
  }();
  if (log) {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    std::fprintf(log, "%lld %u\n", static_cast<long long>(now.QuadPart), window);
    std::fflush(log);
  }
  if (exitAfterFirst) ExitProcess(0);
}

}  // namespace wizlo
