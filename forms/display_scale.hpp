#pragma once

namespace wizlo {

// Screen pixels to a 96-dpi pixel on a display of `dpi` dots per inch, in steps of a quarter (1.25,
// 1.5, 1.75, 2, ...) as desktops offer them, never below 1. A step that would make a `width` x
// `height` window (96-dpi pixels) overflow the `usableWidth` x `usableHeight` work area is not taken.
// No known dpi (0) is 96.
double displayScale(double dpi, int width, int height, int usableWidth, int usableHeight);

}  // namespace wizlo
