#include "forms/form.hpp"

#include <string>

#include "forms/errors.hpp"
#include "forms/runtime.hpp"

namespace wizlo {

Form::Form(Runtime& runtime, const FormLayout& layout) : runtime_(&runtime), layout_(&layout) {}

ControlSet& Form::controls() {
  if (!loaded_) throw RuntimeError(std::string(name()) + " is not loaded");
  return loaded_->controls;
}

void Form::Show(int modal) { runtime_->show(*this, modal == kModal); }

void Form::Unload() { runtime_->unload(*this); }

void Form::Refresh(const ImageControl& /*control*/) {
  // One control or the whole form: a frame costs the same either way.
  runtime_->refresh(*this);
}

std::uintptr_t Form::hWnd() const { return runtime_->windowHandle(*this); }

}  // namespace wizlo
