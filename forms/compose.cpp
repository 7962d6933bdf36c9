#include "forms/compose.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <ranges>
#include <span>
#include <tuple>
#include <vector>

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

// Frame pixels, and the part of them being drawn: nothing is written outside it.
struct Canvas {
  FrameView frame;
  PixelRect clip;
};

void fill(const Canvas& canvas, PixelRect box, std::uint32_t colour) {
  const FrameView& frame = canvas.frame;
  const PixelRect& clip = canvas.clip;
  const int x0 = std::max(box.x, clip.x), x1 = std::min(box.x + box.width, clip.x + clip.width);
  const int y0 = std::max(box.y, clip.y), y1 = std::min(box.y + box.height, clip.y + clip.height);
  for (int y = y0; y < y1; ++y)
    std::fill(&frame.at(x0, y), &frame.at(x0, y) + std::max(0, x1 - x0), 0xFF000000u | colour);
}

// Premultiplied `over` laid on an opaque pixel; the result is opaque.
std::uint32_t blend(std::uint32_t over, std::uint32_t under) {
  const std::uint32_t a = over >> 24;
  if (a == 0xFF) return over;
  std::uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
    out |= std::min<std::uint32_t>(255, o + (u * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

void lay(const Canvas& canvas, const PreparedImage& image, PixelRect at) {
  const FrameView& frame = canvas.frame;
  const PixelRect& clip = canvas.clip;
  const Bitmap& pixels = image.pixels();
  const int x0 = std::max(at.x, clip.x), x1 = std::min(at.x + pixels.width, clip.x + clip.width);
  const int y0 = std::max(at.y, clip.y), y1 = std::min(at.y + pixels.height, clip.y + clip.height);
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

// Where `picture` goes in the frame when `control` shows it.
PixelRect placeIn(const ImageControl& control, const PictureValue& picture, double scale) {
  PixelRect at = toPixels(control.rect(), scale);
  if (!control.Stretch()) {
    // Unstretched, a picture keeps its own size: that of its smallest image, at 96 dpi.
    const auto [width, height] = picture.artwork()->naturalSize();
    at.width = static_cast<int>(std::lround(width * scale));
    at.height = static_cast<int>(std::lround(height * scale));
  }
  return at;
}

// Where a control's picture goes in the frame, or nothing when it draws nothing.
std::optional<PixelRect> placeOf(const ImageControl& control, double scale) {
  if (!control.Visible() || control.Picture().isEmpty()) return std::nullopt;
  const PixelRect at = placeIn(control, control.Picture(), scale);
  if (at.width <= 0 || at.height <= 0) return std::nullopt;
  return at;
}

// A ring's bands from the control's edge outwards, in 96-dpi pixels, each black or white: the same
// level in every channel, whichever byte of a frame's word is red.
struct Band {
  double from, to;
  double level;  // 0 black, 255 white
};
constexpr Band kLiftedBands[] = {{1, 2.5, 0}, {2.5, 5.5, 255}, {5.5, 7, 0}};
constexpr Band kFocusBands[] = {{2, 3.5, 255}, {3.5, 6.5, 0}, {6.5, 8, 255}};
constexpr int kRingReach = 9;  // pixels beyond the control that a ring may touch, edges softened

// How far a point lies outside a rectangle whose corners are rounded by `radius` (negative inside).
double outsideOf(double x, double y, double left, double top, double right, double bottom, double radius) {
  const double qx = std::abs(x - (left + right) / 2) - ((right - left) / 2 - radius);
  const double qy = std::abs(y - (top + bottom) / 2) - ((bottom - top) / 2 - radius);
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

// Each pixel takes the bands by how much of it they cover, so that the ring is smooth at any scale.
void drawRing(const Canvas& canvas, const Ring& ring, std::span<const Band> bands, double scale) {
  const PixelRect box = toPixels(ring.around, scale);
  const double radius = std::min(box.width, box.height) / (ring.round ? 2.0 : 4.0);
  const int reach = static_cast<int>(std::ceil(kRingReach * scale));
  const PixelRect& clip = canvas.clip;
  const int x0 = std::max(box.x - reach, clip.x), x1 = std::min(box.x + box.width + reach, clip.x + clip.width);
  const int y0 = std::max(box.y - reach, clip.y), y1 = std::min(box.y + box.height + reach, clip.y + clip.height);
  const double inner = bands.front().from * scale - 1, outer = bands.back().to * scale + 1;
  const auto covered = [](double d, double edge) { return std::clamp(d - edge + 0.5, 0.0, 1.0); };
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const double d = outsideOf(x + 0.5, y + 0.5, box.x, box.y, box.x + box.width, box.y + box.height, radius);
      if (d < inner || d > outer) continue;
      double left = 1, grey = 0;
      for (const Band& band : bands) {
        const double share = covered(d, band.from * scale) - covered(d, band.to * scale);
        left -= share;
        grey += share * band.level;
      }
      std::uint32_t& pixel = canvas.frame.at(x, y);
      std::uint32_t out = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8)
        out |= static_cast<std::uint32_t>(std::lround(((pixel >> shift) & 0xFF) * left + grey)) << shift;
      pixel = out;
    }
}

bool covers(PixelRect at, PixelRect region) {
  return at.x <= region.x && at.y <= region.y && at.x + at.width >= region.x + region.width &&
         at.y + at.height >= region.y + region.height;
}

}  // namespace

Rect ringBounds(const Rect& around) {
  const Twips reach = kRingReach * kTwipsPerPixel;
  return {around.Left - reach, around.Top - reach, around.Width + 2 * reach, around.Height + 2 * reach};
}

std::optional<Rect> Overlay::bounds() const {
  std::optional<Rect> all;
  const auto add = [&all](const Rect& r) { all = all ? all->united(r) : r; };
  if (!carried.isEmpty()) add(carriedAt);
  if (dragOutline) add(*dragOutline);
  if (lifted) add(ringBounds(lifted->around));
  if (focus) add(ringBounds(focus->around));
  return all;
}

void compose(const ControlSet& controls, const Overlay& overlay, double scale, FrameView frame,
             PreparedImages& images) {
  compose(controls, overlay, scale, frame, images, {0, 0, frame.width, frame.height});
}

void compose(const ControlSet& controls, const Overlay& overlay, double scale, FrameView frame,
             PreparedImages& images, PixelRect region) {
  const int x0 = std::max(region.x, 0), y0 = std::max(region.y, 0);
  region = {x0, y0, std::min(region.x + region.width, frame.width) - x0,
            std::min(region.y + region.height, frame.height) - y0};
  if (region.width <= 0 || region.height <= 0) return;
  const Canvas canvas{frame, region};
  // Bottom-up; but under the highest opaque picture that fills the region (a form's backdrop)
  // nothing shows, so drawing starts there: a frame's every pixel is written once, not twice.
  const auto order = controls.inStackingOrder();
  std::size_t bottom = order.size();
  for (std::size_t i = 0; i < order.size() && bottom == order.size(); ++i)
    if (const auto at = placeOf(order[i], scale); at && covers(*at, region) &&
                                                   images.at(order[i].Picture(), at->width, at->height).opaque())
      bottom = i + 1;
  if (bottom == order.size()) fill(canvas, region, kFormBackground);
  for (std::size_t i = bottom; i-- > 0;)
    if (const auto at = placeOf(order[i], scale)) lay(canvas, images.at(order[i].Picture(), at->width, at->height), *at);
  if (overlay.lifted) drawRing(canvas, *overlay.lifted, kLiftedBands, scale);
  if (overlay.focus) drawRing(canvas, *overlay.focus, kFocusBands, scale);
  if (const PixelRect at = toPixels(overlay.carriedAt, scale); !overlay.carried.isEmpty() && at.width > 0 && at.height > 0)
    lay(canvas, images.at(overlay.carried, at.width, at.height), at);
  if (overlay.dragOutline) {
    const PixelRect box = toPixels(*overlay.dragOutline, scale);
    const int thick = std::max(1, static_cast<int>(std::lround(scale)));
    fill(canvas, {box.x, box.y, box.width, thick}, kDragOutline);
    fill(canvas, {box.x, box.y + box.height - thick, box.width, thick}, kDragOutline);
    fill(canvas, {box.x, box.y, thick, box.height}, kDragOutline);
    fill(canvas, {box.x + box.width - thick, box.y, thick, box.height}, kDragOutline);
  }
}

void fetchPictures(const ControlSet& controls, double scale) {
  std::vector<std::tuple<const Artwork*, int, int>> shown, later;
  const int pointer = static_cast<int>(std::lround(32 * scale)), carried = toPixels(kCarriedSize, scale);
  for (const ImageControl& control : controls.inStackingOrder()) {
    if (!control.Picture().isEmpty()) {
      const PixelRect at = placeIn(control, control.Picture(), scale);
      if (at.width > 0 && at.height > 0)
        (control.Visible() ? shown : later).emplace_back(control.Picture().artwork(), at.width, at.height);
    }
    if (!control.DragIcon().isEmpty())
      for (const int size : {pointer, carried}) later.emplace_back(control.DragIcon().artwork(), size, size);
  }
  // Bottom first: the backdrop, the largest by far, is on its way before the pieces queue up.
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) std::get<0>(*it)->fetchAhead(std::get<1>(*it), std::get<2>(*it));
  for (const auto& [art, width, height] : shown) art->bestFor(width, height);
  for (const auto& [art, width, height] : later) art->fetchAhead(width, height);
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
  return area;
}

}  // namespace wizlo
