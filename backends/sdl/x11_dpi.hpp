#pragma once

struct _XDisplay;  // Xlib's Display, without Xlib's macros in every includer

namespace wizlo {

// The dots per inch an X display asks for: its Xft.dpi resource, as a desktop sets it, else the dpi
// the X screen was given (Xorg or Xvfb -dpi); 0 when neither tells.
double x11Dpi(_XDisplay* display);

}  // namespace wizlo
