#pragma once
#include <cairo.h>

#include "assets/picture_id.hpp"

namespace wizlo::art {

// Draws backdrop `id` (Backdrop1 to Backdrop7) to fill a widthPx x heightPx
// surface. Everything is placed from the forms' layout tables, in twips.
void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx);

}  // namespace wizlo::art
