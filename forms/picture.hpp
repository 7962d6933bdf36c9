#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace wizlo {

// One decoded image: premultiplied-free ARGB8888 pixels, row after row.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// A drawing at one or more pixel sizes (an icon), or a single image (a
// backdrop). Never changes once made, so any number of pictures share it.
class Artwork {
 public:
  explicit Artwork(std::vector<Bitmap> images);

  const std::vector<Bitmap>& images() const { return images_; }

  // The image that draws best into a w x h pixel rectangle: the smallest
  // that covers it, else the largest there is.
  const Bitmap& bestFor(int w, int h) const;

 private:
  std::vector<Bitmap> images_;  // smallest first
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
