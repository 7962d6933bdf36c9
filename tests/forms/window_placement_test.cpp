#include "forms/window_placement.hpp"

#include <gtest/gtest.h>

namespace wizlo {
namespace {

constexpr FrameExtents kOpenbox{1, 1, 22, 5};  // a title bar and thin borders, as openbox draws them at 96 dpi
constexpr PixelRect kMenu{41, 137, 905, 599};  // the menu's client area at 96 dpi

TEST(KeepFrameInWorkArea, MovesTheFrameNoFurtherThanIntoTheWorkArea) {
  struct Case {
    const char* what;
    PixelRect client;
    FrameExtents frame;
    PixelRect workArea;
    PixelRect placed;
  };
  const Case cases[] = {
      {"fits: stays", kMenu, kOpenbox, {0, 0, 1920, 1080}, kMenu},
      {"under a bottom panel: up to its edge", kMenu, kOpenbox, {0, 0, 1366, 728}, {41, 124, 905, 599}},
      {"past the right edge", {500, 137, 905, 599}, kOpenbox, {0, 0, 1366, 768}, {460, 137, 905, 599}},
      {"beside a left panel", {10, 137, 905, 599}, kOpenbox, {48, 0, 1318, 768}, {49, 137, 905, 599}},
      {"under a top panel", {41, 20, 905, 599}, kOpenbox, {0, 30, 1366, 738}, {41, 52, 905, 599}},
      {"too tall: the title bar at the top, across unchanged", {41, 137, 905, 599}, kOpenbox, {0, 24, 1366, 600},
       {41, 46, 905, 599}},
      {"too wide and too tall: top-left at the work area's", {300, 300, 905, 599}, kOpenbox, {10, 20, 800, 600},
       {11, 42, 905, 599}},
      {"no window manager: the client area alone", kMenu, {}, {0, 0, 1366, 728}, {41, 129, 905, 599}},
  };
  for (const Case& c : cases) EXPECT_EQ(keepFrameInWorkArea(c.client, c.frame, c.workArea), c.placed) << c.what;
}

}  // namespace
}  // namespace wizlo
