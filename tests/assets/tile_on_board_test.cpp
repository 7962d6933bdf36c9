// A tile must vanish into its board, leaving only its ring and number: the
// backdrop around every pool piece has the tile's ground colour.
#include <gtest/gtest.h>

#include <cstdlib>

#include "assets/catalogue.hpp"
#include "assets/generator/output/recipe.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"

namespace wizlo::assets {
namespace {

bool isTile(PictureId id) {
  const art::Family family = art::familyOf(id);
  return family == art::Family::BlueTile || family == art::Family::YellowTile ||
         family == art::Family::PinkTile;
}

const ImageLayout& backdropOf(const FormLayout& form) { return form.Controls.back(); }

// A JPEG backdrop is allowed one or two steps of rounding on a flat ground;
// more would show the tile as a patch.
bool near(std::uint32_t pixel, std::uint32_t colour) {
  const auto channel = [](std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); };
  for (int shift : {16, 8, 0})
    if (std::abs(channel(pixel, shift) - channel(colour, shift)) > 2) return false;
  return true;
}

TEST(TileOnBoard, BackdropAtEveryTilePieceIsTheTileGround) {
  const struct {
    const FormLayout* form;
    std::uint32_t ground;
  } boards[] = {
      {&layouts::Form3, layouts::Form3Content.groundColour},
      {&layouts::Form4, layouts::Form4Content.groundColour},
      {&layouts::Form5, layouts::Form5Content.groundColour},
  };
  for (const auto& board : boards) {
    SCOPED_TRACE(board.form->Name);
    ASSERT_TRUE(backdropOf(*board.form).Picture.has_value());
    const Bitmap& backdrop = artwork(backdropOf(*board.form).Picture->id())->image(0);
    const double pixelsPerTwip = double(backdrop.width) / backdropOf(*board.form).Width;
    int tiles = 0;
    for (const ImageLayout& control : board.form->Controls) {
      if (!control.Picture || !isTile(control.Picture->id())) continue;
      ++tiles;
      const Bitmap& tile = artwork(control.Picture->id())->image(0);
      EXPECT_EQ(tile.argb.front(), 0xFF000000u | board.ground) << nameOf(*control.Picture);
      // The four corners of the piece's rectangle, where its ring leaves ground showing.
      for (auto [x, y] : {std::pair{control.Left + 15, control.Top + 15},
                          {control.Left + control.Width - 15, control.Top + 15},
                          {control.Left + 15, control.Top + control.Height - 15},
                          {control.Left + control.Width - 15, control.Top + control.Height - 15}}) {
        const int px = static_cast<int>(x * pixelsPerTwip), py = static_cast<int>(y * pixelsPerTwip);
        EXPECT_TRUE(near(backdrop.argb[static_cast<std::size_t>(py) * backdrop.width + px], board.ground))
            << nameOf(*control.Picture) << " at " << px << "," << py;
      }
    }
    EXPECT_GT(tiles, 0);
  }
}

}  // namespace
}  // namespace wizlo::assets
