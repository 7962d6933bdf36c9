// The Windows program under Wine on a private Xvfb, beside a bare Win32 window of the menu's size
// painted once: start-up from exec to the first frame on screen, interleaved runs with the Wine server
// already up, medians; and the sizes of Wizlo.exe and WizloSetup.exe.
//   wizlo-wine-bench [--runs N]
// Both programs append a line to WIZLO_FRAME_LOG when a frame is shown and end there
// (WIZLO_EXIT_AFTER_FIRST_FRAME); the benchmark notes the moment the file grows.

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/wine_session.hpp"

namespace {

using namespace wizlo::wine;

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Milliseconds from starting `program` to its first frame.
double startUp(const WineSession& session, const fs::path& program, const fs::path& log) {
  fs::remove(log);
  const std::vector<std::string> settings{"WIZLO_FRAME_LOG=Z:" + log.string(), "WIZLO_EXIT_AFTER_FIRST_FRAME=1"};
  const double started = nowMs();
  ChildProcess run = session.wine({program.string()}, settings);
  struct stat info {};
  while (stat(log.c_str(), &info) != 0 || info.st_size == 0) {
    if (nowMs() - started > 20000) throw std::runtime_error(program.string() + " showed no frame");
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  const double shown = nowMs() - started;
  run.waitForExit(10000ms);
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 15;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--runs") runs = std::atoi(argv[++i]);
  try {
    VirtualDisplay display(1280, 1024);
    WineSession session(display, WIZLO_PROGRAM);
    // Kept up between the runs, as on a desktop where Windows is already running.
    ChildProcess server(std::vector<std::string>{"/usr/bin/wineserver", "-f", "-p"}, session.environment());
    const fs::path log = fs::temp_directory_path() / ("wizlo-wine-bench-" + std::to_string(getpid()) + ".log");
    const fs::path programs[] = {WIZLO_PROGRAM, WIZLO_BASELINE};
    std::vector<double> times[2];
    for (const fs::path& program : programs) startUp(session, program, log);  // warm-up, not counted
    for (int i = 0; i < runs; ++i)
      for (int k = 0; k < 2; ++k) {
        const int which = (i + k) % 2;  // the order turns every run
        times[which].push_back(startUp(session, programs[which], log));
      }
    fs::remove(log);
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) ratios.push_back(times[0][i] / times[1][i]);
    std::printf("start-up to the first frame under Wine, %d interleaved runs each (medians)\n", runs);
    std::printf("  Wizlo.exe                 %.1f ms (min %.1f, max %.1f)\n", median(times[0]),
                *std::min_element(times[0].begin(), times[0].end()), *std::max_element(times[0].begin(), times[0].end()));
    std::printf("  bare Win32 window         %.1f ms (min %.1f, max %.1f)\n", median(times[1]),
                *std::min_element(times[1].begin(), times[1].end()), *std::max_element(times[1].begin(), times[1].end()));
    std::printf("  Wizlo.exe / bare window   %.2f x   target <= 1.25\n", median(ratios));
    for (const char* file : {"Wizlo.exe", "WizloSetup.exe"})
      std::printf("  %-25s %ju bytes (%.2f MiB)   target < 4 MB\n", file,
                  static_cast<std::uintmax_t>(fs::file_size(fs::path(WIZLO_PROGRAM).parent_path() / file)),
                  static_cast<double>(fs::file_size(fs::path(WIZLO_PROGRAM).parent_path() / file)) / 1048576.0);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "wizlo-wine-bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
