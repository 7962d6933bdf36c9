// Wizlo: the runtime opens the menu, and the pupil's mouse does the rest.

#include <cstdio>
#include <optional>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/sdl/sdl_backend.hpp"
#include "platform/app_path.hpp"

int main() {
  using namespace wizlo;
  std::optional<SdlBackend> backend;
  try {
    backend.emplace();
  } catch (const NoDisplayError& error) {
    std::fprintf(stderr, "wizlo: %s (is DISPLAY set?)\n", error.what());
    return 1;
  }
  platform::SdlSoundService sound;
  platform::XdgOpener web;
  Runtime runtime(*backend, assets::picture);
  defineForms(runtime, ProgramServices{sound, web, platform::appPath()});
  return runtime.run(kStartForm);
}
