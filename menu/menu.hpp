#pragma once
#include "forms/form.hpp"
#include "platform/web.hpp"

namespace wizlo {

// The start-up form: six hot spots open the boards and pages modally, and
// the one over the credits opens the web site.
class Menu final : public Form {
 public:
  Menu(Runtime& runtime, platform::WebOpener& web);
  void Click(ImageControl& target) override;

 private:
  platform::WebOpener& web_;
};

}  // namespace wizlo
