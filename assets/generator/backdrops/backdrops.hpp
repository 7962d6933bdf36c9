#pragma once
#include <cairo.h>

#include "assets/generator/backdrops/ink_map.hpp"
#include "assets/picture_id.hpp"
#include "forms/layout.hpp"

namespace wizlo::art {

// Draws backdrop `id` to fill a widthPx x heightPx surface: the menu's, or that
// of the board or page a menu button opens, whichever form shows it. Everything
// is placed from the forms' layout tables, in twips, and worded by their content. `ink` learns
// where each thing a pupil reads went.
void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx, InkMap& ink);

// The form whose backdrop `id` is; null if none.
const FormLayout* formShowing(PictureId id);

}  // namespace wizlo::art
