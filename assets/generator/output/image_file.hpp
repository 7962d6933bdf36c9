#pragma once
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

// Turning drawn Cairo surfaces into the bytes that get embedded.
namespace wizlo::art {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// A fully transparent ARGB surface; throws if Cairo cannot make it.
Surface makeSurface(int widthPx, int heightPx);

// PNG keeps the alpha channel; icons need it for their transparent grounds.
std::vector<std::uint8_t> encodePng(cairo_surface_t* surface);

// Baseline JPEG without chroma subsampling, so thin coloured letters keep
// their colour up to the edge. Alpha is dropped; backdrops are opaque.
std::vector<std::uint8_t> encodeJpeg(cairo_surface_t* surface, int quality);

}  // namespace wizlo::art
