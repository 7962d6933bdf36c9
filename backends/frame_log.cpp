#include "backends/frame_log.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

#include <cstdio>
#include <cstdlib>

namespace wizlo {

namespace {

long long monotonicNow() {
#ifdef _WIN32
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<long long>(now.QuadPart);
#else
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
#endif
}

#ifdef _WIN32
constexpr char kAppend[] = "a";
#else
constexpr char kAppend[] = "ae";  // not left open in the web opener's children
#endif

}  // namespace

void noteFrameShown(std::uint32_t window) {
  static std::FILE* const log = [] {
    const char* path = std::getenv("WIZLO_FRAME_LOG");
    return path && *path ? std::fopen(path, kAppend) : nullptr;
  }();
  static const bool exitAfterFirst = [] {
    const char* exit = std::getenv("WIZLO_EXIT_AFTER_FIRST_FRAME");
    return exit && *exit && *exit != '0';
  }();
  if (log) {
    std::fprintf(log, "%lld %lu\n", monotonicNow(), static_cast<unsigned long>(window));
    std::fflush(log);
  }
  if (exitAfterFirst) std::_Exit(0);
}

}  // namespace wizlo
