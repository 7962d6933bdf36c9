#include "platform/web/web_sound.hpp"

#include <emscripten.h>

#include <string>

EM_ASYNC_JS(void, wizlo_play_sound, (const char* file), { await WizloAudio.play(UTF8ToString(file)); });

namespace wizlo::platform {

void WebSound::play(std::string_view name) {
  // "<folder>\yes": the folder is the page's own, and the file the name after the last backslash.
  const std::size_t separator = name.rfind('\\');
  std::string file(separator == std::string_view::npos ? name : name.substr(separator + 1));
  if (file.empty()) return;
  if (file.find('.') == std::string::npos) file += ".wav";
  wizlo_play_sound(file.c_str());
}

}  // namespace wizlo::platform
