#include "forms/display_scale.hpp"

#include <algorithm>
#include <cmath>

namespace wizlo {

double displayScale(double dpi, int width, int height, int usableWidth, int usableHeight) {
  constexpr double kBaseDpi = 96, kStep = 0.25;
  if (!(dpi > 0)) return 1;
  double scale = std::max(1.0, std::round(dpi / kBaseDpi / kStep) * kStep);
  while (scale > 1 && (width * scale > usableWidth || height * scale > usableHeight)) scale -= kStep;
  return scale;
}

}  // namespace wizlo
