#pragma once
#include <windows.h>

#include "forms/frame.hpp"
#include "forms/window_placement.hpp"

namespace wizlo::win32 {

// The monitor a point lies on (the nearest one if none): its dots per inch and its work area, the
// screen less the taskbar, in the screen pixels of a per-monitor aware program.
struct Monitor {
  double dpi = 96;
  PixelRect workArea;
};
Monitor monitorAt(POINT point);
Monitor monitorOf(PixelRect rect);

// What the system puts around a client area of a window of `style` at `dpi`.
FrameExtents frameFor(DWORD style, double dpi);

}  // namespace wizlo::win32
