// Wizlo on Windows: the runtime opens the menu, and the pupil's mouse does the rest. The window
// system is Win32 and GDI; sounds go to sndPlaySound and the web address to ShellExecute.

#include <objbase.h>

#include <cstdio>
#include <exception>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/win32/win32_backend.hpp"
#include "platform/app_path.hpp"
#include "platform/win32/shell_opener.hpp"
#include "platform/win32/wave_sound.hpp"

namespace {

// Start-up failed before the menu could take over its own errors: said in a box, since a GUI
// program has no console to read, and status 1, as on Linux.
int cannotStart(const std::string& why) {
  wizlo::showErrorBox("Wizlo cannot start: " + why);
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

int main() {
  using namespace wizlo;
  // The shell and the image codecs are COM objects; the shell wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (FAILED(com)) return cannotStart(comFailure(com));
  const ComApartment apartment;
  try {
    Win32Backend backend;
    platform::WaveSound sound;
    platform::ShellOpener web;
    Runtime runtime(backend, assets::picture);
    defineForms(runtime, platform::Services{sound, web, platform::appPath()});
    return runtime.run(kStartForm);  // reports its own failures once the menu is asked for
  } catch (const std::exception& error) {
    return cannotStart(error.what());
  }
}
