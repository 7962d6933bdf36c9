#include "assets/generator/placeholder_backdrop.hpp"

#include "assets/generator/palette.hpp"

namespace wizlo {

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx) {
  palette::Rgb ground = palette::kMint;
  if (id == PictureId::Backdrop3) ground = palette::kBlueBoardGround;
  if (id == PictureId::Backdrop4) ground = palette::kYellowBoardGround;
  if (id == PictureId::Backdrop5) ground = palette::kPinkBoardGround;
  if (id == PictureId::Backdrop6 || id == PictureId::Backdrop7) ground = palette::fromHex(0xF9D7A7);
  cairo_set_source_rgb(cr, ground.red(), ground.green(), ground.blue());
  cairo_rectangle(cr, 0, 0, widthPx, heightPx);
  cairo_fill(cr);
}

}  // namespace wizlo
