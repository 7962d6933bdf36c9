#pragma once
// The generator's own shapes, drawn by whichever Cairo this is compiled against: the real one in the
// raster tests, the rasterizer's stand-in in shim/. Both draw the very same calls.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "assets/generator/draw/gradient.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/icons/icons.hpp"

namespace wizlo::raster_scenes {

using art::Colour;

struct Scene {
  const char* name;
  int width, height;
  void (*draw)(cairo_t*);
};

// A piece of a backdrop at 2x: 15 twips a pixel at 1x.
inline void atTwoX(cairo_t* cr, Colour ground) {
  art::paintFlat(cr, ground);
  cairo_scale(cr, 2.0 / 15, 2.0 / 15);
}

inline const std::vector<Scene>& scenes() {
  static const std::vector<Scene> all = {
      {"ring", 240, 240,
       [](cairo_t* cr) {
         atTwoX(cr, Colour::hex(0xFFF6E0));
         art::drawRing(cr, {150, 150, 1500, 1500}, Colour::hex(0x3A8FD8), 150);
       }},
      {"arrow", 320, 200,
       [](cairo_t* cr) {
         atTwoX(cr, Colour::hex(0xF4FAF0));
         art::drawArrow(cr, 200, 1300, 2200, 200, Colour::hex(0xE0603A), 90);
       }},
      {"curved-arrow", 320, 200,
       [](cairo_t* cr) {
         atTwoX(cr, Colour::hex(0xF4FAF0));
         art::drawCurvedArrow(cr, 200, 1300, {600, 100, 1500, 100}, 2200, 1200, Colour::hex(0x6A3AD0), 90);
       }},
      {"soft-shadow", 200, 160,
       [](cairo_t* cr) {
         atTwoX(cr, art::kWhite);
         art::softShadow(cr, [](cairo_t* m) { art::ellipsePath(m, {200, 200, 900, 600}); }, 18, 24, 40,
                         art::kBlack.withAlpha(0.35));
       }},
      {"gradient", 200, 160,
       [](cairo_t* cr) {
         const art::Pattern glow = art::radialGradient(
             70, 60, 5, 100, 80, 110, {{0, Colour::hex(0xFFFFFF)}, {0.6, Colour::hex(0xFFD27A)}, {1, Colour::hex(0xC0702A)}});
         art::paintWith(cr, glow);
         art::ellipsePath(cr, {20, 30, 160, 100});
         const art::Pattern band = art::linearGradient(
             20, 30, 180, 130, {{0, Colour::hex(0x2A6AD0, 0.9)}, {0.5, Colour::hex(0x7AD0A0, 0.5)}, {1, Colour::hex(0x203060)}});
         art::fillWith(cr, band);
       }},
      {"round-joins", 240, 180,
       [](cairo_t* cr) {
         atTwoX(cr, Colour::hex(0xFAFAF5));
         cairo_move_to(cr, 150, 1150);
         cairo_line_to(cr, 450, 250);
         cairo_line_to(cr, 750, 1150);
         cairo_curve_to(cr, 900, 100, 1400, 100, 1700, 900);
         cairo_line_to(cr, 1250, 1250);
         cairo_set_line_width(cr, 110);
         cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
         cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
         art::setSource(cr, Colour::hex(0x208040, 0.7));
         cairo_stroke_preserve(cr);
         cairo_set_line_width(cr, 30);
         art::setSource(cr, Colour::hex(0xF0F040));
         cairo_stroke(cr);
       }},
      {"yes-mark", 128, 128, [](cairo_t* cr) { art::drawMark(cr, art::Mark::Yes, 128); }},
      {"no-mark", 128, 128, [](cairo_t* cr) { art::drawMark(cr, art::Mark::No, 128); }},
      {"small-no-mark", 40, 40, [](cairo_t* cr) { art::drawMark(cr, art::Mark::No, 40); }},
  };
  return all;
}

// The scene's premultiplied words, row by row.
inline std::vector<std::uint32_t> render(const Scene& s) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s.width, s.height);
  cairo_t* cr = cairo_create(surface);
  s.draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(s.width) * s.height);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      out[static_cast<std::size_t>(y) * s.width + x] = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
  cairo_surface_destroy(surface);
  return out;
}

}  // namespace wizlo::raster_scenes
