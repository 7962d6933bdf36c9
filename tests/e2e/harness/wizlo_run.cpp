// One run of the real program: a private folder for HOME and PATH, a stand-in xdg-open that records
// its arguments, and a FIFO as SDL's disk audio file, read one device opening (one sound) at a time.

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> samplesOf(const fs::path& wav) {
  SDL_AudioSpec format;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(wav.c_str(), &format, &samples, &length))
    throw std::runtime_error("cannot read " + wav.string());
  std::vector<std::uint8_t> bytes(samples, samples + length);
  SDL_FreeWAV(samples);
  return bytes;
}

// The sounds in what one opening of the device played, in order: each must come out whole, its
// samples from the first that is not silence to its end; silence may lie around and between them.
std::vector<std::string> soundsIn(const std::vector<std::uint8_t>& output, const std::vector<std::uint8_t>& yes,
                                  const std::vector<std::uint8_t>& no) {
  const auto loud = [](std::uint8_t b) { return b != 0; };
  const auto startsWith = [&](std::vector<std::uint8_t>::const_iterator at, const std::vector<std::uint8_t>& sound) {
    const auto from = std::find_if(sound.begin(), sound.end(), loud);
    return from != sound.end() && output.end() - at >= sound.end() - from && std::equal(from, sound.end(), at);
  };
  std::vector<std::string> names;
  for (auto at = std::find_if(output.begin(), output.end(), loud); at != output.end();
       at = std::find_if(at, output.end(), loud)) {
    const std::vector<std::uint8_t>* sound = startsWith(at, yes) ? &yes : startsWith(at, no) ? &no : nullptr;
    names.push_back(sound == &yes ? "yes" : sound == &no ? "no" : "");
    if (!sound) break;
    at += sound->end() - std::find_if(sound->begin(), sound->end(), loud);
  }
  return names;
}

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

struct WizloRun::State {
  fs::path folder;
  fs::path fifo, opened, errors;
  std::vector<std::uint8_t> yes, no;
  mutable std::mutex lock;
  std::vector<PlayedSound> sounds;
  std::atomic<bool> stopping{false};
  std::thread tap;
  std::optional<ChildProcess> program;

  // Each opening of the audio device opens the FIFO for writing; a device opened the moment the last
  // one closed may find the FIFO still open, so one reading can hold more than one sound.
  void readSounds() {
    while (!stopping) {
      const int fd = ::open(fifo.c_str(), O_RDONLY);
      if (fd < 0) return;
      // Room for seconds of sound, not the pipe's 0.4: a reader held back by a busy machine must not
      // hold back the device, which the program then gives up on and cuts the sound short.
      ::fcntl(fd, F_SETPIPE_SZ, 1 << 20);
      std::vector<std::uint8_t> output;
      std::uint8_t chunk[65536];
      for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) > 0;) output.insert(output.end(), chunk, chunk + got);
      ::close(fd);
      if (stopping) return;
      const std::lock_guard guard(lock);
      for (const std::string& name : soundsIn(output, yes, no)) sounds.push_back({.name = name});
    }
  }

  void stopTap() {
    stopping = true;
    // The reader may be waiting for a writer: become one for a moment.
    waitUntil([this] {
      const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      return fd >= 0 || errno != ENXIO;
    }, 2000ms, 5ms);
    if (tap.joinable()) tap.join();
  }
};

WizloRun::WizloRun(VirtualDisplay& display, WizloOptions options, std::vector<std::string> arguments)
    : state_(std::make_unique<State>()), display_(display) {
  State& s = *state_;
  char pattern[] = "/tmp/wizlo-e2e-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
  s.folder = pattern;
  const fs::path program = fs::absolute(options.program);
  s.yes = samplesOf(program.parent_path() / "yes.wav");
  s.no = samplesOf(program.parent_path() / "no.wav");
  s.fifo = s.folder / "played.raw";
  s.opened = s.folder / "opened.txt";
  s.errors = s.folder / "stderr.txt";
  fs::create_directories(s.folder / "bin");
  fs::create_directories(s.folder / "home");
  if (options.webOpener) {
    // One line a request: the argument count, then each argument on a line of its own.
    const fs::path opener = s.folder / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } >> '"
                          << s.opened.string() << "'\n";
    fs::permissions(opener, fs::perms::owner_all);
  }
  if (mkfifo(s.fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make the audio FIFO");
  s.tap = std::thread([&s] { s.readSounds(); });

  std::vector<std::string> environment{"DISPLAY=" + display.name(), "HOME=" + (s.folder / "home").string(),
                                       "PATH=" + (s.folder / "bin").string(), "SDL_AUDIODRIVER=disk",
                                       "SDL_DISKAUDIOFILE=" + s.fifo.string(),
                                       // SDL's file device keeps time by sleeping a buffer's length
                                       // (23 ms) after each, and a busy machine wakes it late each
                                       // time: its sound took longer than the sound, and the program
                                       // gave up on it after the sound and its patience and cut it
                                       // short, as it must for a device that falls behind. A device
                                       // keeps time whatever the load; this one sleeps 10 ms, so that
                                       // it stays ahead of time when woken late.
                                       "SDL_DISKAUDIODELAY=10"};
  // A sanitizer build's program reads the test's sanitizer settings, but leak checking stays with
  // the in-process tests: at exit SDL has unloaded the X11 and audio libraries it opened, and what
  // they keep can no longer be named to suppress it.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
    if (const char* value = std::getenv(name))
      environment.push_back(std::string(name) + "=" + value + (name[0] == 'A' ? ":detect_leaks=0" : ""));
  for (const std::string& extra : options.extraEnvironment) {  // a test's own setting wins
    const std::string name = extra.substr(0, extra.find('=') + 1);
    std::erase_if(environment, [&](const std::string& entry) { return entry.starts_with(name); });
    environment.push_back(extra);
  }
  try {
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    s.program.emplace(argv, environment, "/dev/null", s.errors.string());
  } catch (...) {
    s.stopTap();
    fs::remove_all(s.folder);
    throw;
  }
}

WizloRun::~WizloRun() {
  state_->program.reset();
  state_->stopTap();
  std::error_code ignored;
  fs::remove_all(state_->folder, ignored);
}

pid_t WizloRun::pid() const { return state_->program->pid(); }

bool WizloRun::running() { return state_->program->running(); }

std::optional<int> WizloRun::waitForExit(Milliseconds timeout) { return state_->program->waitForExit(timeout); }

std::string WizloRun::standardError() const { return readText(state_->errors); }

std::vector<WindowInfo> WizloRun::windows() const { return display_.windowsOf(pid()); }

WindowInfo WizloRun::waitForWindows(std::size_t count, Milliseconds timeout) const {
  std::vector<WindowInfo> shown;
  const bool ready = waitUntil([&] {
    shown = windows();
    if (shown.size() != count || count == 0) return shown.size() == count;
    // Shown means drawn: most of a coarse grid over the newest window is no longer black.
    const WindowInfo& top = shown.back();
    const Screenshot screen = display_.screenshot();
    int lit = 0, all = 0;
    for (int y = top.y + 5; y < top.y + top.height; y += 40)
      for (int x = top.x + 5; x < top.x + top.width; x += 40, ++all)
        if (!(screen.at({x, y}) == Rgb{})) ++lit;
    return lit * 10 > all * 9;
  }, timeout, 20ms);
  if (!ready)
    throw std::runtime_error("expected " + std::to_string(count) + " drawn windows, saw " +
                             std::to_string(shown.size()));
  return count == 0 ? WindowInfo{} : shown.back();
}

std::vector<PlayedSound> WizloRun::sounds() const {
  const std::lock_guard guard(state_->lock);
  return state_->sounds;
}

bool WizloRun::waitForSounds(std::size_t count, Milliseconds timeout) const {
  return waitUntil([&] { return sounds().size() >= count; }, timeout, 10ms);
}

std::vector<std::vector<std::string>> WizloRun::openedAddresses() const {
  std::vector<std::vector<std::string>> requests;
  std::istringstream lines(readText(state_->opened));
  for (std::string count; std::getline(lines, count);) {
    std::vector<std::string> arguments(static_cast<std::size_t>(std::max(0, std::atoi(count.c_str()))));
    for (std::string& argument : arguments) std::getline(lines, argument);
    requests.push_back(arguments);
  }
  return requests;
}

Point WizloRun::at(const WindowInfo& window, int xTwips, int yTwips) {
  constexpr int kTwipsPerPixel = 15;
  return {window.x + xTwips / kTwipsPerPixel, window.y + yTwips / kTwipsPerPixel};
}

}  // namespace wizlo::e2e
