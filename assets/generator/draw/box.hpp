#pragma once

// A rectangle in the user units of the surface it is drawn on: twips on a
// backdrop, pixels on an icon, its corner at (x, y).
namespace wizlo::art {

struct Box {
  double x = 0, y = 0, width = 0, height = 0;

  // The box of the given size whose centre is (centreX, centreY).
  static constexpr Box around(double centreX, double centreY, double width, double height) {
    return {centreX - width / 2, centreY - height / 2, width, height};
  }
  constexpr double right() const { return x + width; }
  constexpr double bottom() const { return y + height; }
  constexpr double centreX() const { return x + width / 2; }
  constexpr double centreY() const { return y + height / 2; }
};

// Smaller by dx on the left and the right, dy at the top and the bottom; larger for negative ones.
constexpr Box inset(const Box& b, double dx, double dy) {
  return {b.x + dx, b.y + dy, b.width - 2 * dx, b.height - 2 * dy};
}

constexpr bool overlaps(const Box& a, const Box& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

}  // namespace wizlo::art
