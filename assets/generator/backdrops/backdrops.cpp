#include "assets/generator/backdrops/backdrops.hpp"

#include <stdexcept>
#include <string>

#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/backdrops/menu.hpp"
#include "assets/generator/backdrops/page.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

// The picture a form shows as its backdrop: that of Image1, the last of its controls.
bool isBackdropOf(PictureId id, const FormLayout& form) { return form.Controls.back().Picture == id; }

// Draws the menu's backdrop, or that of the form a menu button opens, if it is `id`.
bool drawBackdropShowing(PictureId id, cairo_t* cr, InkMap& ink) {
  if (isBackdropOf(id, layouts::Form1)) {
    drawMenu(cr, layouts::Form1Content, layouts::kMenuButtons, ink);
    return true;
  }
  for (const MenuButton& button : layouts::kMenuButtons)
    if (isBackdropOf(id, button.form())) {
      if (button.board) drawBoard(cr, *button.board, ink);
      else drawPage(cr, *button.page, ink);
      return true;
    }
  return false;
}

}  // namespace

const FormLayout* formShowing(PictureId id) {
  if (isBackdropOf(id, layouts::Form1)) return &layouts::Form1;
  for (const MenuButton& button : layouts::kMenuButtons)
    if (isBackdropOf(id, button.form())) return &button.form();
  return nullptr;
}

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx, InkMap& ink) {
  cairo_save(cr);
  // User units are twips: every place comes straight from a layout table.
  cairo_scale(cr, widthPx / kPageWidth, heightPx / kPageHeight);
  const bool drawn = drawBackdropShowing(id, cr, ink);
  cairo_restore(cr);
  if (!drawn) throw std::invalid_argument("no form shows " + std::string(nameOf(id)) + " as its backdrop");
}

}  // namespace wizlo::art
