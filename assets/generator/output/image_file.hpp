#pragma once
#include <cairo.h>

#include <cstdint>
#include <vector>

// Turning drawn Cairo surfaces into the bytes that get embedded.
namespace wizlo::art {

// PNG keeps the alpha channel; icons need it for their transparent grounds.
std::vector<std::uint8_t> encodePng(cairo_surface_t* surface);

// Baseline JPEG without chroma subsampling, so thin coloured letters keep
// their colour up to the edge; or, for an image drawn at twice the size a
// screen shows at 1x, with the colour at half its resolution (`halfColour`),
// which is that 1x size's whole. Alpha is dropped; backdrops are opaque.
std::vector<std::uint8_t> encodeJpeg(cairo_surface_t* surface, int quality, bool halfColour = false);

}  // namespace wizlo::art
