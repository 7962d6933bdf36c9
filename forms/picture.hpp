#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
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
  // An image known by its size, whose pixels `decode` makes. Where they come from afar (a
  // browser's fetch), `fetch` starts getting them without waiting, so that several come at once
  // and `decode` waits only for what is still on its way.
  struct Source {
    int width = 0;
    int height = 0;
    std::function<Bitmap()> decode;
    std::function<void()> fetch = {};
  };

  explicit Artwork(std::vector<Bitmap> images);
  explicit Artwork(std::vector<Source> sources);

  // Smallest first.
  std::size_t imageCount() const { return images_.size(); }
  const Bitmap& image(std::size_t index) const;

  // The image that draws best into a w x h pixel rectangle: the smallest
  // that covers it, else the largest there is.
  const Bitmap& bestFor(int w, int h) const;
  // Starts getting the image bestFor(w, h) would give, if it is not here yet; waits for nothing.
  void fetchAhead(int w, int h) const;
  // Starts getting the image of that index, likewise.
  void fetchImageAhead(std::size_t index) const;
  // The smallest image's size, its pixels decoded or not: a picture's own size at 96 dpi.
  std::pair<int, int> naturalSize() const { return {images_.front().width, images_.front().height}; }

 private:
  struct Image {
    int width, height;
    std::function<Bitmap()> decode;
    mutable std::optional<Bitmap> pixels;
    std::function<void()> fetch = {};
  };
  std::size_t bestIndexFor(int w, int h) const;
  void orderImages();  // smallest first; refuses an artwork without images

  std::vector<Image> images_;  // smallest first; never resized, so references stay good
};

// An image that could not be had from where it is kept (a browser's fetch that failed): what needs
// it cannot be shown, while the rest of the program can go on.
class PictureUnavailable : public std::runtime_error {
 public:
  explicit PictureUnavailable(const std::string& file)
      : std::runtime_error("cannot load the picture " + file), file_(file) {}
  const std::string& file() const { return file_; }

 private:
  std::string file_;
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
