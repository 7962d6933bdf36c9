#pragma once
#include <cairo.h>

#include "assets/picture_id.hpp"

// Paints one backdrop, widthPx x heightPx, filling the whole surface. The
// real painter lives in backdrops.hpp; until it is there, a plain ground
// stands in for it so the rest of the build works.
namespace wizlo {

void drawBackdrop(PictureId id, cairo_t* cr, int widthPx, int heightPx);

}  // namespace wizlo
