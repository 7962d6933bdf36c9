#pragma once
#include <cstdint>
#include <string_view>

namespace wizlo::platform {

// The shell's "Open" verb for a web address. Fire and forget: the outcome is
// never looked at, and a failure is never shown to the pupil.
class WebOpener {
 public:
  virtual ~WebOpener() = default;
  virtual void open(std::uintptr_t ownerWindow, std::string_view address) = 0;
};

}  // namespace wizlo::platform
