// Wizlo: the runtime opens the menu, and the pupil's mouse does the rest. The window system and the
// operating-system services are this platform's: SDL2, SDL audio and xdg-open on Linux.

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/sdl/sdl_backend.hpp"
#include "platform/linux/app_path.hpp"
#include "platform/linux/sdl_sound.hpp"
#include "platform/linux/xdg_opener.hpp"

int main() {
  using namespace wizlo;
  std::optional<SdlBackend> backend;
  try {
    backend.emplace();
  } catch (const NoDisplayError& error) {
    std::fprintf(stderr, "wizlo: %s (is DISPLAY set?)\n", error.what());
    return 1;
  }
  try {
    platform::SdlSoundService sound;
    platform::XdgOpener web;
    Runtime runtime(*backend, assets::picture);
    defineForms(runtime, platform::Services{sound, web, platform::appPath()});
    return runtime.run(kStartForm);  // reports its own failures once the menu is asked for
  } catch (const std::exception& error) {
    // Before the menu: said where the display shows it, and status 1.
    backend->reportError(std::string("Wizlo cannot start: ") + error.what());
    return 1;
  }
}
