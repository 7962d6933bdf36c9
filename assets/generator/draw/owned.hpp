#pragma once
#include <cairo.h>

#include <memory>
#include <stdexcept>
#include <string>

// Every Cairo object the generator makes is owned by one of
// these, so it is freed on every way out of a function, a throw's too.
namespace wizlo::art {

template <auto free>
struct Freer {
  template <typename T>
  void operator()(T* object) const {
    free(object);
  }
};
template <typename T, auto free>
using Owned = std::unique_ptr<T, Freer<free>>;

using Surface = Owned<cairo_surface_t, cairo_surface_destroy>;
using Context = Owned<cairo_t, cairo_destroy>;
using Pattern = Owned<cairo_pattern_t, cairo_pattern_destroy>;
using Path = Owned<cairo_path_t, cairo_path_destroy>;
using FontOptions = Owned<cairo_font_options_t, cairo_font_options_destroy>;

// An image surface, fully transparent; throws if Cairo cannot make it.
inline Surface makeSurface(int widthPx, int heightPx, cairo_format_t format = CAIRO_FORMAT_ARGB32) {
  Surface surface{cairo_image_surface_create(format, widthPx, heightPx)};
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot make a " + std::to_string(widthPx) + "x" + std::to_string(heightPx) +
                             " surface");
  return surface;
}

inline Context drawingOn(cairo_surface_t* surface) { return Context{cairo_create(surface)}; }

}  // namespace wizlo::art
