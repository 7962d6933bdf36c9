// The real program started where no display can be had: one clear line on
// standard error, exit status 1, and nothing else.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/faults/child_process.hpp"
#include "tests/platform/scratch_folder.hpp"

namespace wizlo::testing {
namespace {

using namespace std::chrono_literals;

const std::string kProgram = std::string(WIZLO_PROGRAM_DIR) + "/wizlo";

TEST(StartUp, WithoutADisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne) {
  const struct {
    const char* what;
    const char* display;        // null: unset
    const char* videoDriver;    // null: unset
  } kNoDisplay[] = {
      {"no DISPLAY at all, where SDL would fall back to a screen nobody sees", nullptr, nullptr},
      {"a DISPLAY where no server listens", ":9999", nullptr},
      {"a DISPLAY that is not one", "not a display", nullptr},
      {"a video driver that does not exist", nullptr, "nonexistent"},
      {"the X11 driver asked for by name", nullptr, "x11"},
  };
  for (const auto& start : kNoDisplay) {
    SCOPED_TRACE(start.what);
    // A login session has a runtime folder even where it has no display.
    platform::testing::ScratchFolder runtimeFolder;
    Environment environment;
    environment.unset("DISPLAY").unset("WAYLAND_DISPLAY").unset("SDL_VIDEODRIVER");
    environment.set("XDG_RUNTIME_DIR", runtimeFolder.path().string());
    if (start.display) environment.set("DISPLAY", start.display);
    if (start.videoDriver) environment.set("SDL_VIDEODRIVER", start.videoDriver);

    const Finished run = runProgram(kProgram, environment, 20s);

    ASSERT_FALSE(run.timedOut) << "the program waited for a display that never comes";
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("wizlo: ")) << run.err;
    EXPECT_TRUE(run.err.ends_with("\n")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace wizlo::testing
