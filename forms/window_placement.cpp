#include "forms/window_placement.hpp"

#include <algorithm>

namespace wizlo {

namespace {
// One axis: where a frame of `size` starting at `start` goes within an area.
int into(int start, int size, int areaStart, int areaSize) {
  if (size > areaSize) return areaStart;
  return std::clamp(start, areaStart, areaStart + areaSize - size);
}
}  // namespace

PixelRect keepFrameInWorkArea(PixelRect client, FrameExtents frame, PixelRect workArea) {
  const int left = into(client.x - frame.left, frame.left + client.width + frame.right, workArea.x, workArea.width);
  const int top = into(client.y - frame.top, frame.top + client.height + frame.bottom, workArea.y, workArea.height);
  return {left + frame.left, top + frame.top, client.width, client.height};
}

}  // namespace wizlo
