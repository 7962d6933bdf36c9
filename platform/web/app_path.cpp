#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "platform/app_path.hpp"

// The folder the page was loaded from, as an address without its trailing slash.
EM_JS(char*, wizlo_page_folder, (), {
  let folder = new URL(".", document.baseURI).href;
  if (folder.endsWith("/")) folder = folder.slice(0, -1);
  const size = lengthBytesUTF8(folder) + 1;
  const text = _malloc(size);
  stringToUTF8(folder, text, size);
  return text;
});

namespace wizlo::platform {

std::string appPath() {
  char* folder = wizlo_page_folder();
  std::string path(folder);
  std::free(folder);
  return path;
}

}  // namespace wizlo::platform
