#include "assets/generator/backdrops/backdrops.hpp"

#include <stdexcept>

#include "assets/generator/text/arabic_text.hpp"
#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/backdrops/forms.hpp"
#include "assets/generator/draw/shapes.hpp"

namespace wizlo {

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx) {
  backdrop::requireFamily(cr, backdrop::kNaskh);
  backdrop::requireFamily(cr, backdrop::kKufi);
  cairo_save(cr);
  // User units are twips: every place comes straight from a layout table.
  cairo_scale(cr, widthPx / backdrop::kPageWidth, heightPx / backdrop::kPageHeight);
  switch (id) {
    case PictureId::Backdrop1: backdrop::drawMenu(cr); break;
    case PictureId::Backdrop2: backdrop::drawBoard(cr, backdrop::appleBoard()); break;
    case PictureId::Backdrop3: backdrop::drawBoard(cr, backdrop::bookBoard()); break;
    case PictureId::Backdrop4: backdrop::drawBoard(cr, backdrop::computerBoard()); break;
    case PictureId::Backdrop5: backdrop::drawBoard(cr, backdrop::farmingBoard()); break;
    case PictureId::Backdrop6: backdrop::drawFirstPracticePage(cr); break;
    case PictureId::Backdrop7: backdrop::drawSecondPracticePage(cr); break;
    default: cairo_restore(cr); throw std::invalid_argument("not a backdrop");
  }
  cairo_restore(cr);
}

}  // namespace wizlo
