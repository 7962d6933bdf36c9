#include "tests/install/installed_program.hpp"

#include <SDL.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "assets/control_names.hpp"
#include "boards/form2.hpp"
#include "menu/form1.hpp"

namespace wizlo::install {

namespace {

const std::vector<std::string> kEnvironment{"PATH=/usr/local/bin:/usr/bin:/bin", "HOME=/tmp"};

const ImageLayout& control(const FormLayout& form, std::string_view name, int index = -1) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && (index < 0 || (c.Index && *c.Index == index))) return c;
  throw std::runtime_error(std::string(form.Name) + " has no " + std::string(name));
}

e2e::Point centre(const e2e::WindowInfo& window, const ImageLayout& c, double scale) {
  return at(window, c.Left + c.Width / 2, c.Top + c.Height / 2, scale);
}

std::vector<std::uint8_t> bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& purpose) {
  std::string pattern = "/tmp/wizlo-" + purpose + "-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string run(const std::vector<std::string>& argv, e2e::Milliseconds timeout) {
  return e2e::runCommand(argv, kEnvironment, timeout);
}

void installBuildInto(const fs::path& prefix) {
  run({"/usr/bin/cmake", "--install", WIZLO_BUILD_DIR, "--prefix", prefix.string()});
}

fs::path packageInto(const fs::path& folder) {
  run({"/usr/bin/cpack", "-G", "DEB", "--config", std::string(WIZLO_BUILD_DIR) + "/CPackConfig.cmake", "-B",
       folder.string()},
      120000ms);
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".deb") return entry.path();
  throw std::runtime_error("cpack made no .deb");
}

InstalledRun::InstalledRun(e2e::VirtualDisplay& display, const fs::path& link, const fs::path& workingFolder)
    : display_(display), folder_("run"), audio_(folder_.path() / "played.raw") {
  // The child inherits our working folder: stand in the one the test chose while it starts.
  const fs::path ours = fs::current_path();
  fs::current_path(workingFolder);
  try {
    program_.emplace(std::vector<std::string>{link.string()},
                     std::vector<std::string>{"DISPLAY=" + display.name(), "HOME=" + folder_.path().string(),
                                              "PATH=/nonexistent", "SDL_AUDIODRIVER=disk",
                                              "SDL_DISKAUDIOFILE=" + audio_.string()});
  } catch (...) {
    fs::current_path(ours);
    throw;
  }
  fs::current_path(ours);
}

e2e::WindowInfo InstalledRun::waitForWindows(std::size_t count) const {
  std::vector<e2e::WindowInfo> shown;
  if (!e2e::waitUntil([&] { return (shown = display_.windowsOf(pid())).size() == count; }, 10000ms, 20ms))
    throw std::runtime_error("expected " + std::to_string(count) + " windows, saw " + std::to_string(shown.size()));
  // Give the newest its first frame.
  e2e::waitUntil([] { return false; }, 300ms);
  return shown.back();
}

bool InstalledRun::played(const fs::path& wav, e2e::Milliseconds timeout) const {
  SDL_AudioSpec format;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(wav.c_str(), &format, &samples, &length)) return false;
  const std::vector<std::uint8_t> sound(samples, samples + length);
  SDL_FreeWAV(samples);
  // The device plays silence around the sound; its own samples, from the first sounding one, come whole.
  const auto start = std::find_if(sound.begin(), sound.end(), [](std::uint8_t b) { return b != 0; });
  if (start == sound.end()) return false;
  return e2e::waitUntil([&] {
    const std::vector<std::uint8_t> output = bytesOf(audio_);
    return std::search(output.begin(), output.end(), start, sound.end()) != output.end();
  }, timeout, 50ms);
}

e2e::Point at(const e2e::WindowInfo& window, int xTwips, int yTwips, double scale) {
  return {window.x + static_cast<int>(xTwips * scale / kTwipsPerPixel), window.y + static_cast<int>(yTwips * scale / kTwipsPerPixel)};
}

e2e::WindowInfo playOneRightMove(e2e::VirtualDisplay& display, const e2e::WindowInfo& menu,
                                 const std::function<e2e::WindowInfo(std::size_t)>& waitForWindows, double scale) {
  display.click(centre(menu, control(layouts::Form1, layouts::hotSpotOpening(layouts::Form2)), scale));
  const e2e::WindowInfo board = waitForWindows(2);
  const std::string_view key = control(layouts::Form2, names::kKeys, 0).Tag;
  const auto piece = std::find_if(std::begin(layouts::Form2.Controls), std::end(layouts::Form2.Controls),
                                  [&](const ImageLayout& c) { return c.Name == names::kPieces && c.Visible && c.Tag == key; });
  if (piece == std::end(layouts::Form2.Controls)) throw std::runtime_error("no piece for g(0)");
  display.drag(centre(board, *piece, scale), centre(board, control(layouts::Form2, names::kCircles, 0), scale));
  return board;
}

}  // namespace wizlo::install
