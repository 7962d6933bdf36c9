#include "platform/linux/xdg_opener.hpp"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <thread>

extern char** environ;

namespace wizlo::platform {

namespace {

void reapInTheBackground(pid_t child) {
  try {
    std::thread([child] {
      while (waitpid(child, nullptr, 0) == -1 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays a zombie until the program ends, which harms nobody.
  }
}

class SpawnAttributes {
 public:
  SpawnAttributes() {
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes_, &none);
    sigset_t reset;
    sigemptyset(&reset);
    sigaddset(&reset, SIGCHLD);
    sigaddset(&reset, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes_, &reset);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

}  // namespace

void XdgOpener::open(std::uintptr_t /*ownerWindow*/, std::string_view address) {
  std::string program = "xdg-open";
  std::string argument(address);
  char* argv[] = {program.data(), argument.data(), nullptr};
  const SpawnAttributes attributes;
  pid_t child = 0;
  // A failed spawn (no xdg-open on PATH) leaves no child behind: glibc reaps
  // its own failed attempt before it returns the error.
  if (posix_spawnp(&child, program.c_str(), nullptr, attributes.get(), argv, environ) != 0) return;
  reapInTheBackground(child);
}

}  // namespace wizlo::platform
