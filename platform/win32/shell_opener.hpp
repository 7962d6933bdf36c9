#pragma once
#include <cstdint>
#include <string_view>

#include "platform/web.hpp"

namespace wizlo::platform {

// ShellExecuteW with the "open" verb, the form's own window as owner (any dialog the shell shows
// belongs to it), no parameters and no folder. Its result is not looked at: it tells little (Wine's
// is 33 even when no browser starts), and a failure is never shown to the pupil.
class ShellOpener final : public WebOpener {
 public:
  void open(std::uintptr_t ownerWindow, std::string_view address) override;
};

}  // namespace wizlo::platform
