// Wizlo in the browser with a teacher's board: the board alone, from the pack the page was given (in
// its address, chosen from a file, or a file the system opened with Wizlo), played as the program's
// own boards are; its back hot spot ends the program. The page loads this program instead of the
// menu's (main_web.cpp) only when it has a pack, for the pack reader is larger than the rest.

#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/lesson.hpp"
#include "app/program.hpp"
#include "backends/web/web_backend.hpp"
#include "packs/pack_error.hpp"
#include "platform/app_path.hpp"
#include "platform/web/web_opener.hpp"
#include "platform/web/web_sound.hpp"

// The pack the page was given (start.js), fetched: its bytes in memory the program frees, their count
// and the pack's name; null when there is none. A pack that cannot be fetched is said as a refusal, and
// so is a shared board's link that carries none, in the words the board maker gave (Arabic, English).
EM_ASYNC_JS(std::uint8_t*, wizlo_given_pack, (int* size, char** name, char** problem, char** english), {
  const given = await WizloStart.givenPack();
  if (!given) return 0;
  const text = (value) => {
    const bytes = lengthBytesUTF8(value) + 1;
    const at = _malloc(bytes);
    stringToUTF8(value, at, bytes);
    return at;
  };
  HEAP32[name >> 2] = text(given.name);
  if (given.refusal) {
    HEAP32[problem >> 2] = text(given.refusal.arabic);
    HEAP32[english >> 2] = text(given.refusal.english);
    return 0;
  }
  if (given.problem) {
    HEAP32[problem >> 2] = text(given.problem);
    return 0;
  }
  const at = _malloc(Math.max(1, given.bytes.length));
  HEAPU8.set(given.bytes, at);
  HEAP32[size >> 2] = given.bytes.length;
  return at;
});

namespace {

// Takes a string the page made in the program's memory.
std::string taken(char* text) {
  std::string value = text ? text : "";
  std::free(text);
  return value;
}

}  // namespace

int main() {
  using namespace wizlo;
  WebBackend backend;
  int status = 1;
  std::string packName;
  try {
    int size = 0;
    char* name = nullptr;
    char* problem = nullptr;
    char* english = nullptr;
    std::uint8_t* bytes = wizlo_given_pack(&size, &name, &problem, &english);
    packName = taken(name);
    const std::string fetchProblem = taken(problem), refusal = taken(english);
    if (!refusal.empty()) throw packs::PackError(fetchProblem, refusal);
    if (!fetchProblem.empty())
      throw packs::PackError("تعذّر تحميل الملف (" + fetchProblem + ").", "the file cannot be fetched (" + fetchProblem + ").");
    if (!bytes) throw packs::PackError("لم يُعطَ ملف.", "no file was given.");
    std::vector<std::uint8_t> pack(bytes, bytes + size);
    std::free(bytes);
    const std::unique_ptr<Lesson> lesson = Lesson::read(std::move(pack));
    platform::WebSound sound;
    platform::TabOpener web;
    status = Lesson::run(backend, platform::Services{sound, web, platform::appPath()}, lesson.get());
  } catch (const packs::PackError& error) {
    backend.reportError(packs::refusal(packName, error));
  } catch (const std::exception& error) {
    backend.reportError(cannotStartMessage(error.what()));
  }
  backend.ended(status);
  return status;
}
