#pragma once
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "forms/control_set.hpp"
#include "forms/frame.hpp"
#include "forms/resample.hpp"

namespace wizlo {

// A form's plain background, seen only where a window is larger than its backdrop: the usual face
// colour of a top-level window.
inline constexpr std::uint32_t kFormBackground = 0xF0F0F0;
inline constexpr std::uint32_t kDragOutline = 0x606060;

// The size of a picture carried under a finger: half as large again as a drag pointer (32 pixels),
// so that it shows around a fingertip.
inline constexpr Twips kCarriedSize = 48 * kTwipsPerPixel;

// A ring the frame draws around a control: round-ended (a piece, a circle) or softly cornered (a
// button). Black and white bands, so that on any ground one of them stands out from it by more than
// 4.5 to 1.
struct Ring {
  Rect around;  // the control's rectangle
  bool round = true;
};
// What a ring around `around` covers, in twips.
Rect ringBounds(const Rect& around);

// What the frame shows beyond the controls.
struct Overlay {
  std::optional<Rect> dragOutline;  // a drag whose icon is empty shows this
  PictureValue carried;             // a finger's drag shows its icon here, there being no pointer image
  Rect carriedAt;
  std::optional<Ring> lifted;       // a piece lifted by a tap or a key: a broad white band edged in black
  std::optional<Ring> focus;        // the keyboard's focus: a black band edged in white

  // What it covers, in twips; nothing when empty.
  std::optional<Rect> bounds() const;
};

// The images of one window, resampled to the sizes its controls show them at. Pictures never
// change, so an image is prepared once for every later frame of that window.
class PreparedImages {
 public:
  // The picture's image that draws best at width x height pixels, prepared at exactly that size.
  const PreparedImage& at(const PictureValue& picture, int width, int height);

 private:
  struct Entry {
    std::shared_ptr<const Artwork> keepAlive;
    PreparedImage image;
  };
  std::map<std::tuple<const Bitmap*, int, int>, Entry> prepared_;
};

// Paints a form into `frame` at `scale` screen pixels to a 96-dpi pixel: the background, then the
// controls from the bottom of the stack up, skipping hidden and empty ones, each stretched to its
// rectangle on both axes independently and laid over what lies below by its alpha; then the
// overlay: the rings, the carried picture, then the outline. Everything is clipped to the frame, or to `region`
// of it: pixels outside the region are left as they are.
void compose(const ControlSet& controls, const Overlay& overlay, double scale, FrameView frame,
             PreparedImages& images);
void compose(const ControlSet& controls, const Overlay& overlay, double scale, FrameView frame,
             PreparedImages& images, PixelRect region);

// Every image the controls show at `scale`, asked for all at once: a window whose images come from
// afar waits for the slowest of them, not for each in turn. What the first frame draws is waited
// for, so that one that cannot be had is known before that frame (PictureUnavailable); then what a
// drop or a drag may show (hidden controls, drag icons as pointer or under a finger) is asked for,
// to come after the first frame without holding it up.
void fetchPictures(const ControlSet& controls, double scale);

// The picture as a size x size pointer image with straight alpha; nothing for the empty picture.
std::optional<Bitmap> pointerImage(const PictureValue& picture, int size);

// The whole client area of a loaded form, as a window at `scale` would show it.
Bitmap composeClientArea(const ControlSet& controls, double scale);

}  // namespace wizlo
