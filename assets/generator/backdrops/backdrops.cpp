#include "assets/generator/backdrops/backdrops.hpp"

#include <stdexcept>

#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/backdrops/forms.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"

namespace wizlo::art {

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx) {
  cairo_save(cr);
  // User units are twips: every place comes straight from a layout table.
  cairo_scale(cr, widthPx / kPageWidth, heightPx / kPageHeight);
  switch (id) {
    case PictureId::Backdrop1: drawMenu(cr); break;
    case PictureId::Backdrop2: drawBoard(cr, appleBoard()); break;
    case PictureId::Backdrop3: drawBoard(cr, bookBoard()); break;
    case PictureId::Backdrop4: drawBoard(cr, computerBoard()); break;
    case PictureId::Backdrop5: drawBoard(cr, farmingBoard()); break;
    case PictureId::Backdrop6: drawFirstPracticePage(cr); break;
    case PictureId::Backdrop7: drawSecondPracticePage(cr); break;
    default: cairo_restore(cr); throw std::invalid_argument("not a backdrop");
  }
  cairo_restore(cr);
}

}  // namespace wizlo::art
