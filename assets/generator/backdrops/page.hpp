#pragma once
#include <cairo.h>

#include "assets/content.hpp"
#include "assets/generator/backdrops/ink_map.hpp"

namespace wizlo::art {

// A practice page's backdrop: its passage, the back button and the credits.
void drawPage(cairo_t* cr, const PageContent& page, InkMap& ink);

}  // namespace wizlo::art
