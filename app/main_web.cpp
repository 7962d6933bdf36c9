// Wizlo in the browser: the runtime opens the menu on the page, and the pupil's mouse or finger does
// the rest. The window system and the services are the browser's own: a canvas a form, Web Audio, a
// new tab for the web address. A teacher's board is opened by a program of its own (lesson_web.cpp),
// so that the menu's first frame never waits for the pack reader.

#include <exception>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/web/web_backend.hpp"
#include "platform/app_path.hpp"
#include "platform/web/web_opener.hpp"
#include "platform/web/web_sound.hpp"

int main() {
  using namespace wizlo;
  WebBackend backend;
  int status = 1;
  try {
    platform::WebSound sound;
    platform::TabOpener web;
    Runtime runtime(backend, assets::picture);
    defineForms(runtime, platform::Services{sound, web, platform::appPath()});
    status = runtime.run(kStartForm);
  } catch (const std::exception& error) {
    backend.reportError(cannotStartMessage(error.what()));
  }
  backend.ended(status);
  return status;
}
