#pragma once
#include <cmath>
#include <cstdint>

#include "forms/layout.hpp"

namespace wizlo {

// Pixels to compose a frame into: 0xFFRRGGBB words (every pixel composed is opaque), row after row
// `stride` words apart. A backend hands out its window's own pixels, so nothing is copied on the way.
// The core never looks at which byte is red and which blue but in its greys: in the browser, where a
// canvas holds bytes R, G, B, A, pictures and frames are words 0xFFBBGGRR throughout.
struct FrameView {
  std::uint32_t* pixels = nullptr;
  int width = 0, height = 0, stride = 0;

  std::uint32_t& at(int x, int y) const { return pixels[static_cast<std::ptrdiff_t>(y) * stride + x]; }
};

// A rectangle of screen pixels.
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// Twips to the pixels of a screen with `scale` pixels to a 96-dpi pixel, and back. Edges are rounded
// one by one, so controls that meet in twips meet in pixels too.
inline int toPixels(Twips t, double scale) { return static_cast<int>(std::lround(t * scale / kTwipsPerPixel)); }
inline Twips toTwips(int pixels, double scale) {
  return static_cast<Twips>(std::floor(pixels * kTwipsPerPixel / scale));
}
inline PixelRect toPixels(const Rect& r, double scale) {
  const int left = toPixels(r.Left, scale), top = toPixels(r.Top, scale);
  return {left, top, toPixels(r.right(), scale) - left, toPixels(r.bottom(), scale) - top};
}

}  // namespace wizlo
