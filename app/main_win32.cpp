// Wizlo on Windows: the runtime opens the menu, and the pupil's mouse does the rest. The window
// system is Win32 and GDI; sounds go to sndPlaySound and the web address to ShellExecute.

#include <objbase.h>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/win32/win32_backend.hpp"
#include "platform/app_path.hpp"
#include "platform/win32/shell_opener.hpp"
#include "platform/win32/wave_sound.hpp"

int main() {
  using namespace wizlo;
  // The shell and the image codecs are COM objects; the shell wants a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  Win32Backend backend;
  platform::WaveSound sound;
  platform::ShellOpener web;
  Runtime runtime(backend, assets::picture);
  defineForms(runtime, platform::Services{sound, web, platform::appPath()});
  return runtime.run(kStartForm);
}
