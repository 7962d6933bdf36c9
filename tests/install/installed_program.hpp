// An installed copy of wizlo: made by `cmake --install` or unpacked from the .deb into a scratch
// folder, then started through its bin/wizlo link on a private Xvfb, with SDL's disk audio driver
// writing what it plays into a file, so a test hears whether the sounds were found.

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness.hpp"

namespace wizlo::install {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A folder of its own under /tmp, removed with everything in it at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& purpose);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Runs a command with the ordinary PATH and returns its standard output; throws if it fails.
std::string run(const std::vector<std::string>& argv, e2e::Milliseconds timeout = 60000ms);

// The build tree installed under `prefix`.
void installBuildInto(const fs::path& prefix);
// The .deb that CPack makes from the build tree, written into `folder`; returns its path.
fs::path packageInto(const fs::path& folder);

// The program started through `link` with `workingFolder` as its working folder.
class InstalledRun {
 public:
  InstalledRun(e2e::VirtualDisplay& display, const fs::path& link, const fs::path& workingFolder);
  pid_t pid() const { return program_->pid(); }
  // Waits for `count` windows of the program and returns the newest.
  e2e::WindowInfo waitForWindows(std::size_t count) const;
  // Whether the audio device has played all of `wav`'s samples within `timeout`.
  bool played(const fs::path& wav, e2e::Milliseconds timeout = 5000ms) const;

 private:
  e2e::VirtualDisplay& display_;
  ScratchFolder folder_;
  fs::path audio_;
  std::optional<e2e::ChildProcess> program_;
};

// The road of one right move with the real pointer: the menu's first board button, then the piece
// for circle g(0) into it. `scale` is screen pixels to a 96-dpi pixel.
e2e::WindowInfo playOneRightMove(e2e::VirtualDisplay& display, const e2e::WindowInfo& menu,
                                 const std::function<e2e::WindowInfo(std::size_t)>& waitForWindows,
                                 double scale = 1);

// A point given in twips of a window's client area, on the screen, at `scale`.
e2e::Point at(const e2e::WindowInfo& window, int xTwips, int yTwips, double scale);

}  // namespace wizlo::install
