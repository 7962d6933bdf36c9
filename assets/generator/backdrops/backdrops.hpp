#pragma once
#include <cairo.h>

#include "assets/picture_id.hpp"

namespace wizlo::art {

// Draws backdrop `id` to fill a widthPx x heightPx surface: the menu's, or that
// of the board or page a menu button opens, whichever form shows it. Everything
// is placed from the forms' layout tables, in twips, and worded by their content.
void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx);

}  // namespace wizlo::art
