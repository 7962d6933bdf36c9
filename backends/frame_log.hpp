#pragma once
#include <cstdint>

namespace wizlo {

// For the benchmarks (bench/), the same in every backend: WIZLO_FRAME_LOG names a file (on Windows a
// Windows path) that gets one line a shown frame, "<monotonic clock> <window id>", and
// WIZLO_EXIT_AFTER_FIRST_FRAME=1 ends the run right after the first one. The clock is CLOCK_MONOTONIC in
// nanoseconds on Linux and the performance counter on Windows. Read once; without them it does nothing.
void noteFrameShown(std::uint32_t window);

}  // namespace wizlo
