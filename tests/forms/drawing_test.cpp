#include <gtest/gtest.h>

#include "forms/control_set.hpp"
#include "forms/sdl_draw.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

// Draws a form with SDL's software renderer into a surface and reads the
// pixels back, as a screen would show them.
class DrawingTest : public ::testing::Test {
 protected:
  void draw(int scale = 1, Overlay overlay = {}) {
    surface.reset(SDL_CreateRGBSurfaceWithFormat(0, 400 * scale + 40, 300 * scale + 40, 32,
                                                 SDL_PIXELFORMAT_ARGB8888));
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface.get());
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    {
      TextureCache textures(renderer);
      drawForm(renderer, textures, controls, overlay, scale);
      SDL_RenderPresent(renderer);
    }
    SDL_DestroyRenderer(renderer);
  }
  // The colour at a point given in twips, without alpha.
  std::uint32_t at(Twips x, Twips y, int scale = 1) const {
    const int px = x * scale / kTwipsPerPixel, py = y * scale / kTwipsPerPixel;
    const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const unsigned char*>(surface->pixels) +
                                                             py * surface->pitch);
    return row[px] & 0xFFFFFFu;
  }
  static std::uint32_t rgb(PictureId id) { return placeholderColour(id) & 0xFFFFFFu; }
  std::uint32_t centre(const char* name, int index = -1) {
    const ImageControl& c = index < 0 ? controls(name) : controls(name, static_cast<std::int16_t>(index));
    const Point p = centreOf(c);
    return at(p.x, p.y);
  }

  ControlSet controls{kTestBoard, placeholderPicture};
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface{nullptr, SDL_FreeSurface};
};

TEST_F(DrawingTest, ShownMarkFilledCircleAndEmptiedSlotAppearInThePixels) {
  draw();
  const std::uint32_t ground = rgb(PictureId::Backdrop2);
  EXPECT_EQ(centre("c", 2), rgb(PictureId::Disk3));
  EXPECT_EQ(centre("g", 0), ground) << "an empty circle shows the backdrop";
  EXPECT_EQ(centre("Imy"), ground) << "a hidden mark draws nothing";

  controls("g", 0).SetPicture(controls("c", 2).Picture());
  controls("c", 2).SetPicture(LoadPicture());
  controls("Imy").SetVisible(true);
  draw();
  EXPECT_EQ(centre("g", 0), rgb(PictureId::Disk3));
  EXPECT_EQ(centre("c", 2), ground);
  EXPECT_EQ(centre("Imy"), 0x00FF00u);
  // The mark's transparent rim lets the backdrop through.
  const Rect mark = controls("Imy").rect();
  EXPECT_EQ(at(mark.Left + 30, mark.Top + 30), ground);
}

TEST_F(DrawingTest, StretchFillsTheRectangleExactlyAndNothingElse) {
  draw();
  const Rect tile = controls("c", 1).rect();  // 36 x 28 px from a square picture
  const std::uint32_t colour = rgb(PictureId::BlueTile2);
  EXPECT_EQ(at(tile.Left, tile.Top), colour);
  EXPECT_EQ(at(tile.right() - 15, tile.bottom() - 15), colour);
  EXPECT_NE(at(tile.right(), tile.Top), colour);
  EXPECT_NE(at(tile.Left, tile.bottom()), colour);
}

TEST_F(DrawingTest, BeyondTheBackdropIsThePlainBackground) {
  draw();
  const std::uint32_t plain = (kFormBackground.r << 16) | (kFormBackground.g << 8) | kFormBackground.b;
  EXPECT_EQ(at(6000 + 150, 100), plain);
  EXPECT_EQ(at(100, 4500 + 150), plain);
}

TEST_F(DrawingTest, ADoubledScreenDrawsTheSameFormAtTwiceThePixels) {
  draw(2);
  const Point p = centreOf(controls("c", 2));
  EXPECT_EQ(at(p.x, p.y, 2), rgb(PictureId::Disk3));
  EXPECT_EQ(at(6000 + 150, 100, 2), 0xF0F0F0u);
  EXPECT_EQ(at(6000 - 15, 100, 2), rgb(PictureId::Backdrop2));
}

TEST_F(DrawingTest, ADragOutlineIsDrawnWhereTheOverlaySaysAndOnlyThere) {
  draw(1, Overlay{Rect{1500, 1500, 900, 600}});
  EXPECT_EQ(at(1500, 1800), 0x606060u);
  EXPECT_EQ(at(1950, 1800), rgb(PictureId::Backdrop2));
}

}  // namespace
}  // namespace wizlo::testing
