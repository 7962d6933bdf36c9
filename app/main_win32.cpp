// Wizlo on Windows: the runtime opens the menu, and the pupil's mouse, finger or keys do the rest; or,
// given a teacher's board pack (a double-click on a .wizlo file starts `Wizlo.exe "FILE"`), that
// board alone.
// The window system is Win32 and GDI; sounds go to sndPlaySound and the web address to ShellExecute.

#include <objbase.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/lesson.hpp"
#include "app/program.hpp"
#include "backends/win32/win32_backend.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"
#include "platform/app_path.hpp"
#include "platform/win32/shell_opener.hpp"
#include "platform/win32/wave_sound.hpp"
#include "platform/win32/wide_text.hpp"

namespace {

// Start-up failed before the menu could take over its own errors: said in a box, since a GUI
// program has no console to read, and status 1, as on Linux.
int cannotStart(const std::string& why) {
  wizlo::showErrorBox(wizlo::cannotStartMessage(why));
  return 1;
}

// Where COM failed, the shell and the image codecs would fail later and less clearly.
std::string comFailure(HRESULT result) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string("cannot start COM (error ") + code + ")";
}

// Ends COM's use on this thread when main ends, however it ends.
struct ComApartment {
  ~ComApartment() { CoUninitialize(); }
};

}  // namespace

// The wide entry point (-municode): a pack's path in a folder with an Arabic name arrives whole under
// any code page.
int wmain(int argc, wchar_t** argv) {
  using namespace wizlo;
  // The shell and the image codecs are COM objects; the shell wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(com)) return cannotStart(comFailure(com));
  const ComApartment apartment;
  try {
    Win32Backend backend;
    if (argc > 2 || (argc == 2 && argv[1][0] == L'-')) {
      backend.reportError("usage: Wizlo.exe [LESSON.wizlo]");
      return 2;
    }
    std::unique_ptr<Lesson> lesson;
    if (argc == 2) {
      const std::string path = platform::narrow(argv[1]);
      try {
        lesson = Lesson::read(platform::readUserFile(path, packs::kMaxPackBytes));
      } catch (const packs::PackError& error) {
        backend.reportError(packs::refusal(path, error));
        return 1;
      }
    }
    platform::WaveSound sound;
    platform::ShellOpener web;
    return Lesson::run(backend, platform::Services{sound, web, platform::appPath()}, lesson.get());
  } catch (const std::exception& error) {
    return cannotStart(error.what());
  }
}
