// Whole-process figures of the real program on a private Xvfb, beside a bare SDL2 window:
//   startup  exec to the menu's first presented frame, and peak memory (max RSS), interleaved runs
//   open     release of the click on a menu button to the board's first presented frame
//   cpu      CPU of an idle menu over 10 s, and of 10 s of continuous dragging over a board
//
//   wizlo-process-bench [startup|open|cpu|all] [--runs N] [--seconds S]
//
// Frames are timed by the programs themselves (WIZLO_FRAME_LOG: CLOCK_MONOTONIC at each frame
// shown); the pointer is the real X pointer, moved through XTest as xdotool moves it, but
// called in-process so that the moment of the release is known to the microsecond.

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/program.hpp"
#include "assets/control_names.hpp"
#include "tests/e2e/harness.hpp"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using wizlo::FormLayout;
using wizlo::MenuButton;
using wizlo::layouts::kMenuButtons;
using wizlo::e2e::ChildProcess;
using wizlo::e2e::VirtualDisplay;

std::int64_t nowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

double median(std::vector<double> v) {
  if (v.empty()) return NAN;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string summary(const std::vector<double>& v, const char* unit) {
  if (v.empty()) return "no samples";
  char text[160];
  std::snprintf(text, sizeof text, "median %.2f %s  (min %.2f, max %.2f, n=%zu)", median(v), unit,
                *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()), v.size());
  return text;
}

// One frame a line: "<ns> <window id>".
struct Frame {
  std::int64_t ns;
  unsigned window;
};
std::vector<Frame> readFrames(const fs::path& log) {
  std::vector<Frame> frames;
  std::ifstream in(log);
  for (Frame f{}; in >> f.ns >> f.window;) frames.push_back(f);
  return frames;
}

// CPU time of a running process in ns, from the scheduler's own count.
std::int64_t cpuNs(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  long long ns = -1;
  if (in >> ns) return ns;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int i = 3; fields >> field; ++i) {
    if (i == 14) utime = std::atoll(field.c_str());
    if (i == 15) { stime = std::atoll(field.c_str()); break; }
  }
  return (utime + stime) * 1000000000LL / sysconf(_SC_CLK_TCK);
}

long peakRssKiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// The real pointer through XTest, loaded at run time as SDL loads Xlib: no build dependency.
class Pointer {
 public:
  explicit Pointer(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    xtest_ = dlopen("libXtst.so.6", RTLD_NOW);
    if (!display_ || !xtest_) throw std::runtime_error("no X display or no libXtst.so.6");
    motion_ = reinterpret_cast<Motion>(dlsym(xtest_, "XTestFakeMotionEvent"));
    button_ = reinterpret_cast<Button>(dlsym(xtest_, "XTestFakeButtonEvent"));
    if (!motion_ || !button_) throw std::runtime_error("libXtst lacks the fake events");
  }
  ~Pointer() {
    XCloseDisplay(display_);
    dlclose(xtest_);
  }
  void moveTo(int x, int y) {
    motion_(display_, -1, x, y, 0);
    XFlush(display_);
  }
  void button(bool down) {
    button_(display_, 1, down ? True : False, 0);
    XFlush(display_);
  }

 private:
  using Motion = int (*)(::Display*, int, int, int, unsigned long);
  using Button = int (*)(::Display*, unsigned, Bool, unsigned long);
  ::Display* display_ = nullptr;
  void* xtest_ = nullptr;
  Motion motion_ = nullptr;
  Button button_ = nullptr;
};

struct Paths {
  std::string wizlo = WIZLO_PROGRAM;
  std::string baseline = WIZLO_BASELINE;
  fs::path scratch;
};

std::vector<std::string> environmentFor(const VirtualDisplay& display, const fs::path& frameLog, bool exitAfterFirst,
                                        const Paths& paths) {
  std::vector<std::string> env{"DISPLAY=" + display.name(), "HOME=" + paths.scratch.string(),
                               "PATH=/usr/bin:/bin", "WIZLO_FRAME_LOG=" + frameLog.string(),
                               "SDL_AUDIODRIVER=dummy",
                               // A sanitizer build's programs: SDL's display libraries leave buffers at exit.
                               "ASAN_OPTIONS=detect_leaks=0"};
  if (exitAfterFirst) env.push_back("WIZLO_EXIT_AFTER_FIRST_FRAME=1");
  if (const char* lib = std::getenv("LIBGL_ALWAYS_SOFTWARE")) env.push_back(std::string("LIBGL_ALWAYS_SOFTWARE=") + lib);
  return env;
}

// Waits until the log holds more than `count` frames; the frames then.
std::vector<Frame> waitForFrames(const fs::path& log, std::size_t count, std::chrono::milliseconds timeout = 10s) {
  const auto giveUp = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto frames = readFrames(log);
    if (frames.size() > count) return frames;
    if (std::chrono::steady_clock::now() > giveUp) throw std::runtime_error("no frame came");
    std::this_thread::sleep_for(1ms);
  }
}

// A point of a form given in twips, on the screen: with no window manager, a manually placed form's
// client area lies where its layout says (at 96 dpi, 15 twips a pixel).
struct ScreenPoint {
  int x, y;
};
ScreenPoint centreOn(const FormLayout& form, std::string_view control, std::optional<int> index = {}) {
  for (const auto& c : form.Controls)
    if (c.Name == control && (!index || (c.Index && *c.Index == *index)))
      return {(form.ClientLeft + c.Left + c.Width / 2) / 15, (form.ClientTop + c.Top + c.Height / 2) / 15};
  throw std::runtime_error("no control " + std::string(control));
}

// --- startup and memory ------------------------------------------------------------------------------

// One program the start-up benchmark times.
struct Contestant {
  const char* name;
  std::string program;
  std::vector<std::string> arguments;
  std::vector<double> ms, mib;
};

void startup(VirtualDisplay& display, const Paths& paths, int runs) {
  const fs::path log = paths.scratch / "startup-frames.log";
  // wizlo shows frames it composed through the window's own framebuffer; the baseline runs both with
  // SDL's software renderer (the floor of the same stack) and with the renderer SDL picks when asked
  // for none (OpenGL, here Mesa's software one).
  std::vector<Contestant> all{{"wizlo", paths.wizlo, {}, {}, {}},
                              {"baseline, software renderer", paths.baseline, {"software"}, {}, {}},
                              {"baseline, SDL's default renderer", paths.baseline, {}, {}, {}}};
  const auto once = [&](Contestant& c, bool keep) {
    fs::remove(log);
    std::vector<std::string> argv{c.program};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const std::int64_t started = nowNs();
    ChildProcess child(argv, environmentFor(display, log, true, paths));
    const std::optional<int> status = child.waitForExit(10s);
    const auto frames = readFrames(log);
    if (frames.empty() || status != 0 || !child.peakMemoryKiB()) throw std::runtime_error(c.program + " presented no frame");
    if (!keep) return;
    c.ms.push_back(static_cast<double>(frames.front().ns - started) / 1e6);
    c.mib.push_back(static_cast<double>(*child.peakMemoryKiB()) / 1024.0);
  };
  // One of each first, not counted: the page cache and the server warm up alike.
  for (Contestant& c : all) once(c, false);
  for (int i = 0; i < runs; ++i) {
    // The order turns every run, so a load that rises or falls through the run hits all alike.
    for (std::size_t k = 0; k < all.size(); ++k) once(all[(i + k) % all.size()], true);
  }
  const auto ratios = [](const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    return r;
  };
  std::printf("startup to first frame, %d interleaved runs each\n", runs);
  for (const Contestant& c : all) std::printf("  %-42s %s\n", c.name, summary(c.ms, "ms").c_str());
  for (std::size_t k = 1; k < all.size(); ++k)
    std::printf("  wizlo / %-34s %s   target <= 1.25\n", all[k].name, summary(ratios(all[0].ms, all[k].ms), "x").c_str());
  std::printf("peak memory (max RSS) of the same runs\n");
  for (const Contestant& c : all) std::printf("  %-42s %s\n", c.name, summary(c.mib, "MiB").c_str());
  for (std::size_t k = 1; k < all.size(); ++k)
    std::printf("  wizlo / %-34s %s   target <= 1.4\n", all[k].name, summary(ratios(all[0].mib, all[k].mib), "x").c_str());
}

// --- board open ----------------------------------------------------------------------------------------

// Presses a menu button, lets it go, and returns the ms from the release to the new window's first frame.
double openBoard(Pointer& pointer, const fs::path& log, std::string_view hotSpot) {
  const FormLayout& menu = *wizlo::layoutNamed("Form1");
  const ScreenPoint at = centreOn(menu, hotSpot);
  std::set<unsigned> seen;
  for (const Frame& f : readFrames(log)) seen.insert(f.window);
  pointer.moveTo(at.x, at.y);
  std::this_thread::sleep_for(50ms);
  pointer.button(true);
  std::this_thread::sleep_for(60ms);
  const std::size_t before = readFrames(log).size();
  const std::int64_t released = nowNs();
  pointer.button(false);
  for (std::size_t count = before;;) {
    const auto frames = waitForFrames(log, count, 5s);
    for (std::size_t i = count; i < frames.size(); ++i)
      if (!seen.count(frames[i].window)) return static_cast<double>(frames[i].ns - released) / 1e6;
    count = frames.size();
  }
}

void closeBoard(Pointer& pointer, VirtualDisplay& display, pid_t pid, std::string_view form) {
  const ScreenPoint back = centreOn(*wizlo::layoutNamed(form), wizlo::names::kBoardBack);
  pointer.moveTo(back.x, back.y);
  std::this_thread::sleep_for(30ms);
  pointer.button(true);
  std::this_thread::sleep_for(30ms);
  pointer.button(false);
  if (!wizlo::e2e::waitUntil([&] { return display.windowsOf(pid).size() == 1; }, 5000ms))
    throw std::runtime_error("the board did not close");
  std::this_thread::sleep_for(100ms);
}

void boardOpen(VirtualDisplay& display, const Paths& paths, int rounds) {
  const fs::path log = paths.scratch / "open-frames.log";
  fs::remove(log);
  ChildProcess wizlo({paths.wizlo}, environmentFor(display, log, false, paths));
  waitForFrames(log, 0);
  std::this_thread::sleep_for(300ms);
  Pointer pointer(display.name());
  std::vector<double> all, first;
  std::printf("board open: release of the click on a menu button to the board's first frame\n");
  int boards = 0;
  for (int round = 0; round < rounds; ++round)
    for (const MenuButton& button : kMenuButtons) {
      if (!button.board) continue;
      const double ms = openBoard(pointer, log, button.hotSpot);
      (round == 0 ? first : all).push_back(ms);
      boards += round == 0;
      std::this_thread::sleep_for(200ms);
      closeBoard(pointer, display, wizlo.pid(), button.form().Name);
    }
  std::printf("  first open of each board (its pictures decoded then)  %s\n", summary(first, "ms").c_str());
  std::printf("  later opens (%d rounds of %d boards)                  %s   target < 16 ms\n", rounds - 1, boards,
              summary(all, "ms").c_str());
  std::printf("  peak memory after every board opened (VmHWM)        %.1f MiB\n", peakRssKiB(wizlo.pid()) / 1024.0);
}

// --- CPU ------------------------------------------------------------------------------------------------

void cpu(VirtualDisplay& display, const Paths& paths, double seconds) {
  const fs::path log = paths.scratch / "cpu-frames.log";
  fs::remove(log);
  ChildProcess wizlo({paths.wizlo}, environmentFor(display, log, false, paths));
  waitForFrames(log, 0);
  Pointer pointer(display.name());
  // Idle: the menu up, the pointer resting on it.
  const ScreenPoint rest = centreOn(*wizlo::layoutNamed("Form1"), wizlo::names::kBackdrop);
  pointer.moveTo(rest.x, rest.y);
  std::this_thread::sleep_for(1s);
  const auto wall = std::chrono::duration<double>(seconds);
  std::size_t frames = readFrames(log).size();
  std::int64_t cpu0 = cpuNs(wizlo.pid()), t0 = nowNs();
  std::this_thread::sleep_for(wall);
  std::int64_t cpu1 = cpuNs(wizlo.pid()), t1 = nowNs();
  std::printf("idle menu over %.0f s: %.3f %% of one core (%.1f ms CPU), %zu frames   target < 0.5 %%\n", seconds,
              100.0 * static_cast<double>(cpu1 - cpu0) / static_cast<double>(t1 - t0), (cpu1 - cpu0) / 1e6,
              readFrames(log).size() - frames);

  // Dragging: a piece of the first board carried round the board without a stop, at the rate of an
  // ordinary mouse (125 Hz) and of a fast one (1000 Hz).
  const FormLayout& board = *wizlo::layoutNamed("Form2");
  openBoard(pointer, log, wizlo::layouts::hotSpotOpening(board));
  std::this_thread::sleep_for(500ms);
  ScreenPoint piece{};
  for (const auto& c : board.Controls)
    if (c.Visible && c.DragMode == wizlo::kDragAutomatic && c.Picture) {
      piece = centreOn(board, c.Name, c.Index ? std::optional<int>(*c.Index) : std::nullopt);
      break;
    }
  for (const int hz : {125, 1000}) {
    pointer.moveTo(piece.x, piece.y);
    std::this_thread::sleep_for(100ms);
    pointer.button(true);
    std::this_thread::sleep_for(100ms);
    const int left = (board.ClientLeft + 600) / 15, top = (board.ClientTop + 900) / 15;
    const int width = (board.ClientWidth - 1200) / 15, height = (board.ClientHeight - 1800) / 15;
    frames = readFrames(log).size();
    cpu0 = cpuNs(wizlo.pid()), t0 = nowNs();
    const auto period = std::chrono::nanoseconds(1000000000 / hz);
    auto next = std::chrono::steady_clock::now();
    long steps = 0;
    for (const auto end = next + wall; next < end; next += period, ++steps) {
      // An ellipse round the board, once every 4 s.
      const double a = 2 * M_PI * static_cast<double>(steps) / (4.0 * hz);
      pointer.moveTo(left + static_cast<int>(width * (0.5 + 0.5 * std::cos(a))),
                     top + static_cast<int>(height * (0.5 + 0.5 * std::sin(a))));
      std::this_thread::sleep_until(next);
    }
    cpu1 = cpuNs(wizlo.pid()), t1 = nowNs();
    std::printf("dragging at %4d Hz over %.0f s: %.2f %% of one core (%.1f ms CPU, %ld moves, %zu frames)\n", hz,
                seconds, 100.0 * static_cast<double>(cpu1 - cpu0) / static_cast<double>(t1 - t0), (cpu1 - cpu0) / 1e6,
                steps, readFrames(log).size() - frames);
    // Let the piece go back where it came from: a drop on its own slot.
    pointer.moveTo(piece.x, piece.y);
    std::this_thread::sleep_for(50ms);
    pointer.button(false);
    std::this_thread::sleep_for(300ms);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string what = "all";
  int runs = 15;
  double seconds = 10;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
    else if (arg == "--seconds" && i + 1 < argc) seconds = std::atof(argv[++i]);
    else if (arg == "startup" || arg == "open" || arg == "cpu" || arg == "all") what = arg;
    else {
      std::fprintf(stderr, "usage: %s [startup|open|cpu|all] [--runs N] [--seconds S]\n", argv[0]);
      return 2;
    }
  }
  try {
    Paths paths;
    char folder[] = "/tmp/wizlo-bench-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("no scratch folder");
    paths.scratch = folder;
    {
      VirtualDisplay display(1280, 1024);
      if (what == "startup" || what == "all") startup(display, paths, runs);
      if (what == "open" || what == "all") boardOpen(display, paths, std::max(2, runs / 3 + 1));
      if (what == "cpu" || what == "all") cpu(display, paths, seconds);
    }
    fs::remove_all(paths.scratch);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wizlo-process-bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
