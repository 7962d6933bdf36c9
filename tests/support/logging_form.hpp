#pragma once
#include <functional>
#include <string>
#include <vector>

#include "forms/form.hpp"

namespace wizlo::testing {

// A form that writes down every event it hears, and can be told to act.
class LoggingForm : public Form {
 public:
  using Form::Form;
  void Click(ImageControl& target) override {
    log.push_back("Click " + target.describe());
    if (onClick) onClick(target);
  }
  void MouseDown(ImageControl& target, int button, int, Twips, Twips) override {
    log.push_back("MouseDown " + target.describe() + " " + std::to_string(button));
  }
  void DragOver(ImageControl& target, ImageControl& source, Twips, Twips, int state) override {
    log.push_back("DragOver " + target.describe() + " " + source.describe() + " " + std::to_string(state));
    if (onDragOver) onDragOver(target, source);
  }
  void DragDrop(ImageControl& target, ImageControl& source, Twips, Twips) override {
    log.push_back("DragDrop " + target.describe() + " " + source.describe());
  }
  KeyboardReach keyboardReach() const override { return reach; }
  std::vector<std::string> log;
  KeyboardReach reach;  // none unless a test gives it
  std::function<void(ImageControl&)> onClick;
  std::function<void(ImageControl&, ImageControl&)> onDragOver;
  int visits = 0;  // a form-level variable
};

}  // namespace wizlo::testing
