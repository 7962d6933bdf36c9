#include "forms/compose.hpp"

#include <algorithm>
#include <cstring>
#include <optional>
#include <ranges>

namespace wizlo {

const PreparedImage& PreparedImages::at(const PictureValue& picture, int width, int height) {
  const Bitmap& image = picture.artwork()->bestFor(width, height);
  const auto key = std::make_tuple(&image, width, height);
  auto found = prepared_.find(key);
  if (found == prepared_.end())
    found = prepared_.emplace(key, Entry{picture.sharedArtwork(), prepare(image, width, height)}).first;
  return found->second.image;
}

namespace {

void fill(FrameView frame, PixelRect box, std::uint32_t colour) {
  const int x0 = std::max(box.x, 0), x1 = std::min(box.x + box.width, frame.width);
  const int y0 = std::max(box.y, 0), y1 = std::min(box.y + box.height, frame.height);
  for (int y = y0; y < y1; ++y) std::fill(&frame.at(x0, y), &frame.at(x0, y) + std::max(0, x1 - x0), colour);
}

// Premultiplied `over` laid on an opaque pixel.
std::uint32_t blend(std::uint32_t over, std::uint32_t under) {
  const std::uint32_t a = over >> 24;
  if (a == 0xFF) return over;
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
    out |= std::min<std::uint32_t>(255, o + (u * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

void lay(FrameView frame, const PreparedImage& image, PixelRect at) {
  const Bitmap& pixels = image.pixels();
  const int x0 = std::max(at.x, 0), x1 = std::min(at.x + pixels.width, frame.width);
  const int y0 = std::max(at.y, 0), y1 = std::min(at.y + pixels.height, frame.height);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* from = &pixels.argb[static_cast<std::size_t>(y - at.y) * pixels.width + (x0 - at.x)];
    std::uint32_t* to = &frame.at(x0, y);
    if (image.opaque()) {
      std::memcpy(to, from, static_cast<std::size_t>(x1 - x0) * sizeof *to);
      continue;
    }
    for (int x = x0; x < x1; ++x, ++from, ++to)
      if (*from >> 24) *to = blend(*from, *to);
  }
}

// Where a control's picture goes in the frame, or nothing when it draws nothing.
std::optional<PixelRect> placeOf(const ImageControl& control, double scale) {
  if (!control.Visible() || control.Picture().isEmpty()) return std::nullopt;
  PixelRect at = toPixels(control.rect(), scale);
  if (!control.Stretch()) {
    // Unstretched, a picture keeps its own size: that of its smallest image, at 96 dpi.
    const Bitmap& natural = control.Picture().artwork()->image(0);
    at.width = static_cast<int>(std::lround(natural.width * scale));
    at.height = static_cast<int>(std::lround(natural.height * scale));
  }
  if (at.width <= 0 || at.height <= 0) return std::nullopt;
  return at;
}

bool covers(PixelRect at, FrameView frame) {
  return at.x <= 0 && at.y <= 0 && at.x + at.width >= frame.width && at.y + at.height >= frame.height;
}

}  // namespace

void compose(const ControlSet& controls, const Overlay& overlay, double scale, FrameView frame,
             PreparedImages& images) {
  // Bottom-up; but under the highest opaque picture that fills the frame (a form's backdrop)
  // nothing shows, so drawing starts there: a frame's every pixel is written once, not twice.
  const auto order = controls.inStackingOrder();
  std::size_t bottom = order.size();
  for (std::size_t i = 0; i < order.size() && bottom == order.size(); ++i)
    if (const auto at = placeOf(order[i], scale); at && covers(*at, frame) &&
                                                   images.at(order[i].Picture(), at->width, at->height).opaque())
      bottom = i + 1;
  if (bottom == order.size()) fill(frame, {0, 0, frame.width, frame.height}, kFormBackground);
  for (std::size_t i = bottom; i-- > 0;)
    if (const auto at = placeOf(order[i], scale)) lay(frame, images.at(order[i].Picture(), at->width, at->height), *at);
  if (const PixelRect at = toPixels(overlay.carriedAt, scale); !overlay.carried.isEmpty() && at.width > 0 && at.height > 0)
    lay(frame, images.at(overlay.carried, at.width, at.height), at);
  if (overlay.dragOutline) {
    const PixelRect box = toPixels(*overlay.dragOutline, scale);
    const int thick = std::max(1, static_cast<int>(std::lround(scale)));
    fill(frame, {box.x, box.y, box.width, thick}, kDragOutline);
    fill(frame, {box.x, box.y + box.height - thick, box.width, thick}, kDragOutline);
    fill(frame, {box.x, box.y, thick, box.height}, kDragOutline);
    fill(frame, {box.x + box.width - thick, box.y, thick, box.height}, kDragOutline);
  }
}

std::optional<Bitmap> pointerImage(const PictureValue& picture, int size) {
  const Artwork* art = picture.artwork();
  if (!art) return std::nullopt;
  return straightAlpha(prepare(art->bestFor(size, size), size, size).pixels());
}

Bitmap composeClientArea(const ControlSet& controls, double scale) {
  const FormLayout& layout = controls.layout();
  Bitmap area{toPixels(layout.ClientWidth, scale), toPixels(layout.ClientHeight, scale), {}};
  area.argb.resize(static_cast<std::size_t>(area.width) * area.height);
  PreparedImages images;
  compose(controls, {}, scale, {area.argb.data(), area.width, area.height, area.width}, images);
  for (std::uint32_t& p : area.argb) p |= 0xFF000000u;
  return area;
}

}  // namespace wizlo
