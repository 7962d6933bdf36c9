// Children of the tests: started with posix_spawn and an explicit environment, never left running.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/process.hpp"

namespace wizlo::testing {

namespace {

std::vector<char*> pointersTo(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

int statusOf(int waitStatus) {
  return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -WTERMSIG(waitStatus);
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& stdoutPath, const std::string& stderrPath, int fd3) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);  // same fd: glibc clears close-on-exec
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  // Its own process group, so a stop reaches whatever it starts in turn.
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);
  auto args = pointersTo(argv);
  auto env = pointersTo(environment);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, argv.at(0).c_str(), &actions, &attributes, args.data(), env.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
  return pid;
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, Milliseconds timeout, Milliseconds every) {
  const auto giveUpAt = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= giveUpAt) return false;
    std::this_thread::sleep_for(every);
  }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           const std::string& stdoutPath, const std::string& stderrPath, int fd3)
    : pid_(spawn(argv, environment, stdoutPath, stderrPath, fd3)) {}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), status_(other.status_), peakMemoryKiB_(other.peakMemoryKiB_) {
  other.pid_ = -1;
}

void ChildProcess::reaped(int raw, const struct rusage& usage) {
  status_ = statusOf(raw);
  peakMemoryKiB_ = usage.ru_maxrss;
}

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::running() {
  if (pid_ < 0 || status_) return false;
  int raw = 0;
  struct rusage usage {};
  if (wait4(pid_, &raw, WNOHANG, &usage) == pid_) reaped(raw, usage);
  return !status_;
}

std::optional<int> ChildProcess::waitForExit(Milliseconds timeout) {
  waitUntil([this] { return !running(); }, timeout, 5ms);
  return status_;
}

void ChildProcess::stop() {
  if (pid_ < 0 || !running()) return;
  ::kill(-pid_, SIGTERM);
  if (!waitForExit(1000ms)) {
    ::kill(-pid_, SIGKILL);
    int raw = 0;
    struct rusage usage {};
    while (wait4(pid_, &raw, 0, &usage) == -1 && errno == EINTR) {
    }
    reaped(raw, usage);
  }
  ::kill(-pid_, SIGKILL);  // anything it left behind in its group
}

std::string runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                       Milliseconds timeout) {
  char pattern[] = "/tmp/wizlo-e2e-out-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("cannot make a temporary file");
  close(fd);
  const std::string outPath = pattern;
  std::optional<int> status;
  {
    ChildProcess child(argv, environment, outPath, outPath + ".err");
    status = child.waitForExit(timeout);
  }
  std::ifstream out(outPath), err(outPath + ".err");
  std::stringstream text, errors;
  text << out.rdbuf();
  errors << err.rdbuf();
  unlink(outPath.c_str());
  unlink((outPath + ".err").c_str());
  if (status != 0) {
    std::string command;
    for (const auto& a : argv) command += a + " ";
    throw std::runtime_error(command + (status ? "failed (" + std::to_string(*status) + "): " : "hung: ") +
                             errors.str());
  }
  return text.str();
}

}  // namespace wizlo::testing
