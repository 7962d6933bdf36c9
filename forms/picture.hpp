#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "forms/pixels.hpp"

namespace wizlo {

// One decoded image: straight-alpha ARGB8888 pixels (in the browser, ABGR: see frame.hpp), row after row.
struct Bitmap {
  int width = 0;
  int height = 0;
  Pixels argb;
};

// A drawing at one or more pixel sizes (an icon, a backdrop for 1x and 2x
// screens). Never changes once made, so any number of pictures share it.
// Each image is decoded the first time it is asked for and kept: a window
// at 96 dpi never pays for the 2x images, nor a board for the icon sizes
// it does not show. Used from the one thread that draws.
class Artwork {
 public:
  // An image known by its size, whose pixels `decode` makes.
  struct Source {
    int width = 0;
    int height = 0;
    std::function<Bitmap()> decode;
  };

  explicit Artwork(std::vector<Bitmap> images);
  explicit Artwork(std::vector<Source> sources);

  // Smallest first.
  std::size_t imageCount() const { return images_.size(); }
  const Bitmap& image(std::size_t index) const;

  // The image that draws best into a w x h pixel rectangle: the smallest
  // that covers it, else the largest there is.
  const Bitmap& bestFor(int w, int h) const;

 private:
  struct Image {
    int width, height;
    std::function<Bitmap()> decode;
    mutable std::optional<Bitmap> pixels;
  };
  void orderImages();  // smallest first; refuses an artwork without images

  std::vector<Image> images_;  // smallest first; never resized, so references stay good
};

// A picture is a value: shared, immutable artwork plus a handle. The empty
// picture has handle 0 and no artwork; every other picture has a handle of
// its own, so two loads of the same artwork are two pictures that look alike.
class PictureValue {
 public:
  PictureValue() = default;  // EmptyPicture
  static PictureValue of(std::shared_ptr<const Artwork> art);

  std::uint32_t handle() const { return handle_; }
  bool isEmpty() const { return handle_ == 0; }
  const Artwork* artwork() const { return art_.get(); }
  const std::shared_ptr<const Artwork>& sharedArtwork() const { return art_; }

 private:
  std::shared_ptr<const Artwork> art_;
  std::uint32_t handle_ = 0;
};

// LoadPicture() with no file: a new empty picture each time.
inline PictureValue LoadPicture() { return PictureValue{}; }

}  // namespace wizlo
