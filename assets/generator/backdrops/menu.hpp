#pragma once
#include <cairo.h>

#include <span>

#include "assets/content.hpp"
#include "assets/generator/backdrops/ink_map.hpp"

namespace wizlo::art {

// The menu's backdrop: its title, a banner under each of `buttons` saying what it opens, an
// open book and a pencil, a wave, and the credits.
void drawMenu(cairo_t* cr, const MenuContent& menu, std::span<const MenuButton> buttons, InkMap& ink);

}  // namespace wizlo::art
