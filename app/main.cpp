// Wizlo: the runtime opens the menu, and the pupil's mouse does the rest; or, given a teacher's board
// pack (`wizlo lesson.wizlo`, as a double-click on one starts it), that board alone. The window system
// and the operating-system services are this platform's: SDL2, SDL audio and xdg-open on Linux.

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/lesson.hpp"
#include "app/program.hpp"
#include "backends/sdl/sdl_backend.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"
#include "platform/linux/app_path.hpp"
#include "platform/linux/sdl_sound.hpp"
#include "platform/linux/xdg_opener.hpp"

int main(int argc, char** argv) {
  using namespace wizlo;
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr, "usage: wizlo [LESSON.wizlo]\n");
    return 2;
  }
  std::optional<SdlBackend> backend;
  try {
    backend.emplace();
  } catch (const NoDisplayError& error) {
    std::fprintf(stderr, "wizlo: %s (is DISPLAY set?)\n", error.what());
    return 1;
  }
  // Its messages' box, which draws their Arabic shaped, lives beside it.
  backend->setMessageHelper(platform::appPath() + "/wizlo-message");
  try {
    std::unique_ptr<Lesson> lesson;
    if (argc == 2) {
      try {
        lesson = Lesson::read(platform::readUserFile(argv[1], packs::kMaxPackBytes));
      } catch (const packs::PackError& error) {
        backend->reportError(packs::refusal(argv[1], error));
        return 1;
      }
    }
    platform::SdlSoundService sound;
    platform::XdgOpener web;
    return Lesson::run(*backend, platform::Services{sound, web, platform::appPath()}, lesson.get());
  } catch (const std::exception& error) {
    // Before the first form: said where the display shows it, and status 1.
    backend->reportError(cannotStartMessage(error.what()));
    return 1;
  }
}
