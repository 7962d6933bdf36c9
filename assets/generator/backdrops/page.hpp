#pragma once
#include <cairo.h>

#include "assets/content.hpp"

namespace wizlo::art {

// A practice page's backdrop: its passage, the back button and the credits.
void drawPage(cairo_t* cr, const PageContent& page);

}  // namespace wizlo::art
