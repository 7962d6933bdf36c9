#pragma once
#include <cairo.h>

#include "assets/generator/draw/colour.hpp"
#include "assets/generator/icons/palette.hpp"

// The small pictures: each function paints one square image of sizePx
// pixels onto a transparent surface. Each size is drawn for itself, with
// strokes chosen for that size, rather than scaled from a large one.
namespace wizlo::art {

// A numbered piece of the disk board, also every piece's drag pointer.
void drawDisk(cairo_t* cr, int number, int sizePx);

// The hidden answer keys' picture, never shown.
void drawKeyDisk(cairo_t* cr, int number, int sizePx);

// A numbered piece of a coloured board: a ring with a number on the board's
// own ground.
struct TileColours {
  Colour ground;
  Colour ring;
};
void drawTile(cairo_t* cr, const TileColours& colours, int number, int sizePx);

enum class Mark { Yes, No };
void drawMark(cairo_t* cr, Mark mark, int sizePx);

// Two interlocking gears: the window icon and the program's icon.
void drawAppIcon(cairo_t* cr, int sizePx);

}  // namespace wizlo::art
