// The real program started where no display can be had: one clear line on
// standard error, exit status 1, and nothing else.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/platform/scratch_folder.hpp"
#include "tests/support/process.hpp"

namespace wizlo::testing {
namespace {


const std::string kProgram = std::string(WIZLO_PROGRAM_DIR) + "/wizlo";

// This process's environment without a display, in a login session's runtime folder.
std::vector<std::string> withoutADisplay(const std::string& runtimeFolder) {
  std::vector<std::string> environment{"XDG_RUNTIME_DIR=" + runtimeFolder};
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "SDL_VIDEODRIVER" && name != "XDG_RUNTIME_DIR")
      environment.push_back(text);
  }
  return environment;
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

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
    platform::testing::ScratchFolder folder;
    std::vector<std::string> environment = withoutADisplay(folder.path().string());
    if (start.display) environment.push_back(std::string("DISPLAY=") + start.display);
    if (start.videoDriver) environment.push_back(std::string("SDL_VIDEODRIVER=") + start.videoDriver);
    const std::string out = folder / "out.txt", err = folder / "err.txt";

    std::optional<int> status;
    {
      ChildProcess program({kProgram}, environment, out, err);
      status = program.waitForExit(20s);
      ASSERT_TRUE(status) << "the program waited for a display that never comes";
    }
    const std::string errors = contentsOf(err);
    EXPECT_EQ(*status, 1) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_TRUE(errors.starts_with("wizlo: ")) << errors;
    EXPECT_TRUE(errors.ends_with("\n")) << errors;
    EXPECT_EQ(contentsOf(out), "");
  }
}

}  // namespace
}  // namespace wizlo::testing
