#pragma once
#include <cairo.h>

#include <cstdint>

namespace wizlo::art {

// The one colour of the drawing: channels from 0 to 1, as Cairo takes them.
// Colours are written 0xRRGGBB everywhere else and made into one by hex().
struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
  static constexpr Colour hex(std::uint32_t rgb, double alpha = 1) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
  }
  constexpr Colour withAlpha(double alpha) const { return {r, g, b, alpha}; }
  // Towards black (amount > 0) or white (amount < 0).
  constexpr Colour shade(double amount) const {
    if (amount >= 0) return {r * (1 - amount), g * (1 - amount), b * (1 - amount), a};
    const double t = -amount;
    return {r + (1 - r) * t, g + (1 - g) * t, b + (1 - b) * t, a};
  }
};

inline void setSource(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

inline constexpr Colour kBlack = Colour::hex(0x000000);
inline constexpr Colour kWhite = Colour::hex(0xFFFFFF);

}  // namespace wizlo::art
