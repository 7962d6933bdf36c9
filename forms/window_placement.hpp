#pragma once
#include "forms/frame.hpp"

namespace wizlo {

// What a window manager puts around a client area (title bar, borders), in pixels, in the order of
// its _NET_FRAME_EXTENTS.
struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
  bool operator==(const FrameExtents&) const = default;
};

// Where `client` goes so that its frame, the client area with `frame` around it, lies inside
// `workArea` (the screen less its panels), moved no further than that takes. On an axis where the
// frame is larger than the work area, the frame's left or top edge goes to the work area's: the
// title bar and the form's top-left corner stay within reach, the rest is cut off.
PixelRect keepFrameInWorkArea(PixelRect client, FrameExtents frame, PixelRect workArea);

}  // namespace wizlo
