#include "platform/web/web_opener.hpp"

#include <emscripten.h>

#include <string>

EM_JS(void, wizlo_open_address, (const char* address), {
  try {
    window.open(UTF8ToString(address), "_blank", "noopener");
  } catch (error) {
    // Never reported: the pupil sees nothing of a failed request.
  }
});

namespace wizlo::platform {

void TabOpener::open(std::uintptr_t /*ownerWindow*/, std::string_view address) {
  const std::string text(address);
  wizlo_open_address(text.c_str());
}

}  // namespace wizlo::platform
