#pragma once

namespace wizlo {

// For the benchmarks (bench/): WIZLO_FRAME_LOG names a file (a Windows path) that gets one line a
// shown frame, "<performance counter> <window id>", and WIZLO_EXIT_AFTER_FIRST_FRAME=1 ends the run
// right after the first one. The benchmark times the file's change from outside. Read once; without
// them it does nothing.
void noteFrameShown(unsigned window);

}  // namespace wizlo
