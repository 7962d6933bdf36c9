#pragma once
// Runs a program with an environment of the test's choosing and collects its
// exit status and output; a program that outlives its time is killed.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace wizlo::testing {

struct Finished {
  int status = -1;       // the exit status, or -1 when it did not exit of itself
  int signal = 0;        // the signal that ended it, if one did
  bool timedOut = false;
  std::string out, err;
};

// This process's environment, changed by set and unset.
class Environment {
 public:
  Environment() {
    for (char** entry = environ; *entry; ++entry) {
      const std::string text = *entry;
      const auto equals = text.find('=');
      if (equals != std::string::npos) values_[text.substr(0, equals)] = text.substr(equals + 1);
    }
  }
  Environment& set(const std::string& name, const std::string& value) {
    values_[name] = value;
    return *this;
  }
  Environment& unset(const std::string& name) {
    values_.erase(name);
    return *this;
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> out;
    for (const auto& [name, value] : values_) out.push_back(name + "=" + value);
    return out;
  }

 private:
  std::map<std::string, std::string> values_;
};

inline Finished runProgram(const std::string& program, const Environment& environment,
                           std::chrono::milliseconds patience, const std::string& folder = {}) {
  Finished result;
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::vector<std::string> entries = environment.entries();
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  pid_t child = -1;
  const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  if (spawned != 0) {
    close(out[0]);
    close(err[0]);
    return result;
  }

  const auto giveUp = std::chrono::steady_clock::now() + patience;
  pollfd fds[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      kill(child, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) <= 0) continue;
    for (pollfd& fd : fds) {
      if (fd.fd < 0 || !(fd.revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t got = read(fd.fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(fd.fd);
        fd.fd = -1;
        --open;
      } else {
        (fd.fd == out[0] ? result.out : result.err).append(buffer, static_cast<std::size_t>(got));
      }
    }
  }
  for (pollfd& fd : fds)
    if (fd.fd >= 0) close(fd.fd);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace wizlo::testing
