#include <algorithm>

#include <gtest/gtest.h>

#include "assets/control_names.hpp"
#include "forms/compose.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

// Composes a form into a frame of pixels, as a window would show it, and reads them back.
class DrawingTest : public ::testing::Test {
 protected:
  void draw(double scale = 1, Overlay overlay = {}) {
    frame = Bitmap{static_cast<int>(400 * scale + 40), static_cast<int>(300 * scale + 40), {}};
    frame.argb.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    PreparedImages images;
    compose(controls, overlay, scale, {frame.argb.data(), frame.width, frame.height, frame.width}, images);
  }
  // The colour at a point given in twips, without the top byte.
  std::uint32_t at(Twips x, Twips y, double scale = 1) const {
    const int px = toPixels(x, scale), py = toPixels(y, scale);
    return frame.argb[static_cast<std::size_t>(py) * static_cast<std::size_t>(frame.width) + px] & 0xFFFFFFu;
  }
  static std::uint32_t rgb(PictureId id) { return placeholderColour(id) & 0xFFFFFFu; }
  std::uint32_t centre(std::string_view name, int index = -1) {
    const ImageControl& c = index < 0 ? controls(name) : controls(name, static_cast<std::int16_t>(index));
    const Point p = centreOf(c);
    return at(p.x, p.y);
  }

  ControlSet controls{kTestBoard, placeholderPicture};
  Bitmap frame;
};

TEST_F(DrawingTest, ShownMarkFilledCircleAndEmptiedSlotAppearInThePixels) {
  draw();
  const std::uint32_t ground = rgb(PictureId::Backdrop2);
  EXPECT_EQ(centre(names::kPieces, 2), rgb(PictureId::Disk3));
  EXPECT_EQ(centre(names::kCircles, 0), ground) << "an empty circle shows the backdrop";
  EXPECT_EQ(centre(names::kRightMark), ground) << "a hidden mark draws nothing";

  controls(names::kCircles, 0).SetPicture(controls(names::kPieces, 2).Picture());
  controls(names::kPieces, 2).SetPicture(LoadPicture());
  controls(names::kRightMark).SetVisible(true);
  draw();
  EXPECT_EQ(centre(names::kCircles, 0), rgb(PictureId::Disk3));
  EXPECT_EQ(centre(names::kPieces, 2), ground);
  EXPECT_EQ(centre(names::kRightMark), 0x00FF00u);
  // The mark's transparent rim lets the backdrop through.
  const Rect mark = controls(names::kRightMark).rect();
  EXPECT_EQ(at(mark.Left + 30, mark.Top + 30), ground);
}

TEST_F(DrawingTest, ARegionIsDrawnAsTheWholeFrameWouldBeAndNothingOutsideIt) {
  controls(names::kRightMark).SetVisible(true);
  draw();
  const Bitmap whole = frame;
  const PixelRect region{100, 80, 120, 90};  // across a piece, a mark and the backdrop
  std::fill(frame.argb.begin(), frame.argb.end(), 0x123456u);
  PreparedImages images;
  compose(controls, {}, 1, {frame.argb.data(), frame.width, frame.height, frame.width}, images, region);
  int inside = 0, outside = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) + x;
      const bool in = x >= region.x && x < region.x + region.width && y >= region.y && y < region.y + region.height;
      if (in) inside += (frame.argb[i] & 0xFFFFFFu) != (whole.argb[i] & 0xFFFFFFu);
      else outside += frame.argb[i] != 0x123456u;
    }
  EXPECT_EQ(inside, 0) << "pixels inside the region differ from the whole frame's";
  EXPECT_EQ(outside, 0) << "pixels outside the region were written";
}

TEST_F(DrawingTest, StretchFillsTheRectangleExactlyAndNothingElse) {
  draw();
  const Rect tile = controls(names::kPieces, 1).rect();  // 36 x 28 px from a square picture
  const std::uint32_t colour = rgb(PictureId::BlueTile2);
  EXPECT_EQ(at(tile.Left, tile.Top), colour);
  EXPECT_EQ(at(tile.right() - 15, tile.bottom() - 15), colour);
  EXPECT_NE(at(tile.right(), tile.Top), colour);
  EXPECT_NE(at(tile.Left, tile.bottom()), colour);
}

TEST_F(DrawingTest, BeyondTheBackdropIsThePlainBackground) {
  draw();
  EXPECT_EQ(at(6000 + 150, 100), kFormBackground);
  EXPECT_EQ(at(100, 4500 + 150), kFormBackground);
}

TEST_F(DrawingTest, ALargerScaleDrawsTheSameFormOnMorePixels) {
  for (const double scale : {1.25, 1.5, 2.0}) {
    draw(scale);
    const Point p = centreOf(controls(names::kPieces, 2));
    EXPECT_EQ(at(p.x, p.y, scale), rgb(PictureId::Disk3)) << scale;
    EXPECT_EQ(at(6000 + 150, 100, scale), kFormBackground) << scale;
    EXPECT_EQ(at(6000 - 15, 100, scale), rgb(PictureId::Backdrop2)) << scale;
  }
}

TEST_F(DrawingTest, ADragOutlineIsDrawnWhereTheOverlaySaysAndOnlyThere) {
  Overlay overlay;
  overlay.dragOutline = Rect{1500, 1500, 900, 600};
  draw(1, overlay);
  EXPECT_EQ(at(1500, 1800), 0x606060u);
  EXPECT_EQ(at(1950, 1800), rgb(PictureId::Backdrop2));
}

}  // namespace
}  // namespace wizlo::testing
