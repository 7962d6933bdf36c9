#pragma once
#include <cstdint>
#include <string_view>

#include "platform/web.hpp"

namespace wizlo::platform {

// Hands the address to xdg-open as its one argument, without a shell, and
// returns at once. The owner window is taken and not used: Linux openers take
// no owner, and the browser's window is the window manager's to place.
//
// Each child is reaped by a small detached thread that waits for that one
// process id. Waiting on the exact id never takes the exit status of a
// child someone else started, and no signal handling of the program changes;
// a SIGCHLD handler or an ignored SIGCHLD would do both. The child starts
// with SIGCHLD and SIGPIPE at their defaults and no signal blocked, whatever
// the program had set, since ignored dispositions survive exec.
class XdgOpener final : public WebOpener {
 public:
  void open(std::uintptr_t ownerWindow, std::string_view address) override;
};

}  // namespace wizlo::platform
