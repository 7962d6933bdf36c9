#pragma once
#include "assets/control_names.hpp"
#include "forms/form.hpp"

namespace wizlo {

// A practice page: a passage to read and a back button, nothing more.
class Page final : public Form {
 public:
  using Form::Form;
  void Click(ImageControl& target) override {
    if (target.Name() == names::kPageBack) Unload();
  }
  KeyboardReach keyboardReach() const override { return {.places = {}, .back = names::kPageBack}; }
};

}  // namespace wizlo
