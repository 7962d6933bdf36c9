// Child processes for the tests: started with posix_spawn and an explicit environment, never left
// running, and short commands run to their end. No GoogleTest here, so benchmarks use it too.

#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wizlo::testing {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// Polls `done` every `every` until it holds (true) or `timeout` has passed (false).
bool waitUntil(const std::function<bool()>& done, Milliseconds timeout = 5000ms, Milliseconds every = 10ms);

// A child process, killed (SIGTERM, then SIGKILL) and reaped when this object ends.
class ChildProcess {
 public:
  // `environment` is the child's whole environment ("NAME=value"); stdout and stderr go to the files;
  // `fd3`, if given, is the child's descriptor 3.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
               const std::string& stdoutPath = "/dev/null", const std::string& stderrPath = "/dev/null",
               int fd3 = -1);
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&&) = delete;
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status once it has ended by itself within `timeout`; -signal if a signal ended it.
  std::optional<int> waitForExit(Milliseconds timeout);
  void stop();  // SIGTERM, a short grace, then SIGKILL; always reaps
  // Its largest resident set in KiB, known once it has been reaped.
  std::optional<long> peakMemoryKiB() const { return peakMemoryKiB_; }

 private:
  void reaped(int raw, const struct rusage& usage);

  pid_t pid_ = -1;
  std::optional<int> status_;
  std::optional<long> peakMemoryKiB_;
};

// Runs a short command to its end and returns its standard output; throws if it fails or hangs.
std::string runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                       Milliseconds timeout = 10000ms);

}  // namespace wizlo::testing
