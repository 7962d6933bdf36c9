#include "forms/display_scale.hpp"

#include <gtest/gtest.h>

namespace wizlo {
namespace {

constexpr int kMenuWidth = 905, kMenuHeight = 599;  // the menu's client area at 96 dpi

TEST(DisplayScale, QuarterStepsOfTheDpiThatFitTheWorkArea) {
  const struct {
    double dpi;
    int usableWidth, usableHeight;
    double scale;
  } cases[] = {
      {0, 3840, 2160, 1},     {-5, 3840, 2160, 1},   {96, 3840, 2160, 1},    {120, 3840, 2160, 1.25},
      {130, 3840, 2160, 1.25}, {144, 3840, 2160, 1.5}, {168, 3840, 2160, 1.75}, {192, 3840, 2160, 2},
      {192, 1920, 1080, 1.75},  // 1810 x 1198 would not fit, 1584 x 1048 does
      {288, 3840, 2160, 3},   {288, 2560, 1600, 2.5}, {80, 3840, 2160, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(displayScale(c.dpi, kMenuWidth, kMenuHeight, c.usableWidth, c.usableHeight), c.scale)
        << c.dpi << " dpi on " << c.usableWidth << "x" << c.usableHeight;
}

}  // namespace
}  // namespace wizlo
