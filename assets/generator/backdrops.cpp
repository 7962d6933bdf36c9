#include "assets/generator/backdrops.hpp"

#include <stdexcept>

#include "assets/generator/backdrop_board.hpp"
#include "assets/generator/backdrop_forms.hpp"
#include "assets/generator/backdrop_paint.hpp"

namespace wizlo {

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx) {
  cairo_save(cr);
  // User units are twips: every place comes straight from a layout table.
  cairo_scale(cr, widthPx / art::kPageWidth, heightPx / art::kPageHeight);
  switch (id) {
    case PictureId::Backdrop1: art::drawMenu(cr); break;
    case PictureId::Backdrop2: art::drawBoard(cr, art::appleBoard()); break;
    case PictureId::Backdrop3: art::drawBoard(cr, art::bookBoard()); break;
    case PictureId::Backdrop4: art::drawBoard(cr, art::computerBoard()); break;
    case PictureId::Backdrop5: art::drawBoard(cr, art::farmingBoard()); break;
    case PictureId::Backdrop6: art::drawFirstPracticePage(cr); break;
    case PictureId::Backdrop7: art::drawSecondPracticePage(cr); break;
    default: cairo_restore(cr); throw std::invalid_argument("not a backdrop");
  }
  cairo_restore(cr);
}

}  // namespace wizlo
