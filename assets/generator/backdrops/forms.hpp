#pragma once
#include <cairo.h>

// The backdrops that are not boards: the menu and the two practice pages.
namespace wizlo::art {

void drawMenu(cairo_t* cr);
void drawFirstPracticePage(cairo_t* cr);
void drawSecondPracticePage(cairo_t* cr);

}  // namespace wizlo::art
