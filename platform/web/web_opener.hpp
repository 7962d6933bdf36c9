#pragma once
#include "platform/web.hpp"

namespace wizlo::platform {

// The address in a new tab, with no way back to this page (noopener). Called while the pupil's click
// is being handled, so the browser counts it as the click's own and no popup blocker stops it.
class TabOpener final : public WebOpener {
 public:
  void open(std::uintptr_t ownerWindow, std::string_view address) override;
};

}  // namespace wizlo::platform
