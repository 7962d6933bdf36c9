// The menu's frames go to the window's own framebuffer, without loading a GL stack, unless the
// environment asks SDL for an accelerated framebuffer by SDL's own variable.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {
namespace {

bool mapsGl(pid_t pid) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find("/libGL") != std::string::npos || line.find("_dri.so") != std::string::npos) return true;
  return false;
}

TEST(Renderer, TheMenuIsDrawnInSoftwareWithoutAGlStack) {
  VirtualDisplay display;
  WizloRun run(display, {WIZLO_PROGRAM, true, {}});
  const WindowInfo menu = run.waitForWindows(1);
  // The backdrop's ground is on the screen, so the first frame is drawn.
  const Screenshot shot = display.screenshot();
  EXPECT_GT(shot.count({menu.x, menu.y}, menu.width, menu.height, [](Rgb p) { return p.r + p.g + p.b < 720; }),
            menu.width * menu.height / 2);
  EXPECT_FALSE(mapsGl(run.pid()));
}

TEST(Renderer, SdlFramebufferAccelerationInTheEnvironmentStillChoosesGl) {
  VirtualDisplay display;
  WizloRun run(display, {WIZLO_PROGRAM, true, {"SDL_FRAMEBUFFER_ACCELERATION=opengl"}});
  run.waitForWindows(1);
  EXPECT_TRUE(mapsGl(run.pid())) << "SDL_FRAMEBUFFER_ACCELERATION=opengl was not honoured";
}

}  // namespace
}  // namespace wizlo::e2e
