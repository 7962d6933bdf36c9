#pragma once
#include "forms/picture.hpp"

namespace wizlo {

// An image ready to be laid over a frame: premultiplied 0xAARRGGBB, and whether it covers all it
// is laid on (then it is copied, not blended). An opaque image wanted at its own size is the decoded
// image itself, not a copy, and lives as long as its artwork.
class PreparedImage {
 public:
  PreparedImage(Bitmap pixels, bool opaque) : owned_(std::move(pixels)), opaque_(opaque) {}
  explicit PreparedImage(const Bitmap& opaqueImage) : borrowed_(&opaqueImage), opaque_(true) {}

  const Bitmap& pixels() const { return borrowed_ ? *borrowed_ : owned_; }
  bool opaque() const { return opaque_; }

 private:
  Bitmap owned_;
  const Bitmap* borrowed_ = nullptr;
  bool opaque_;
};

// `image` (straight alpha) resampled to width x height. Separable, with a triangle filter as wide as
// a source pixel when enlarging and as wide as a target pixel when reducing, so a reduced picture is
// averaged rather than sampled; colours are weighted by their alpha, so transparent pixels leave no
// dark fringe. At the image's own size it is an exact copy.
PreparedImage prepare(const Bitmap& image, int width, int height);

// Back to straight alpha, as pointer images are given to a window system.
Bitmap straightAlpha(const Bitmap& premultiplied);

}  // namespace wizlo
