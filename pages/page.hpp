#pragma once
#include "forms/form.hpp"

namespace wizlo {

// A practice page: a passage to read and a back button, nothing more.
class Page final : public Form {
 public:
  using Form::Form;
  void Click(ImageControl& target) override {
    if (target.Name() == "Image6") Unload();
  }
};

}  // namespace wizlo
