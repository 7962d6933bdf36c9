#include "assets/generator/backdrops/ink_map.hpp"

#include <cmath>

namespace wizlo::art {

// Cairo leaves out of a path glyphs that fall beyond its surface, so the outlines are taken on a
// surface the size of a page at 1x.
InkMap::InkMap()
    : scratch_(makeSurface(static_cast<int>(std::ceil(kPageWidth / 15)), static_cast<int>(std::ceil(kPageHeight / 15)),
                           CAIRO_FORMAT_A8)),
      cr_(drawingOn(scratch_.get())) {
  cairo_scale(cr_.get(), 1.0 / 15, 1.0 / 15);
}

void InkMap::add(InkKind kind, std::string name, const PathMaker& outline, double size) {
  cairo_new_path(cr_.get());
  outline(cr_.get());
  parts_.push_back({kind, std::move(name), Path{cairo_copy_path(cr_.get())}, size});
  cairo_new_path(cr_.get());
}

}  // namespace wizlo::art
