#include "forms/runtime.hpp"

#include <algorithm>
#include <exception>
#include <string>

#include "forms/errors.hpp"

namespace wizlo {

Runtime::Runtime(Backend& backend, PictureSource pictures)
    : backend_(backend), pictures_(std::move(pictures)), pointer_(*this) {}

Runtime::~Runtime() {
  for (auto& [name, form] : forms_)
    if (form->loaded()) backend_.closeWindow(form->window_);
}

void Runtime::define(std::string_view name, FormFactory factory) {
  factories_.insert_or_assign(std::string(name), std::move(factory));
}

Form& Runtime::form(std::string_view name) {
  if (const auto found = forms_.find(name); found != forms_.end()) return *found->second;
  const auto factory = factories_.find(name);
  if (factory == factories_.end()) throw RuntimeError("There is no form named " + std::string(name));
  auto made = factory->second(*this);
  Form& form = *made;
  forms_.emplace(std::string(name), std::move(made));
  return form;
}

int Runtime::run(std::string_view startForm) {
  try {
    show(form(startForm), false);
    while (anyLoaded()) {
      presentChanges();
      handle(backend_.nextEvent());
    }
    return 0;
  } catch (const std::exception& error) {
    pointer_.cancel();
    backend_.reportError(error.what());
    return 1;
  }
}

void Runtime::load(Form& form, const Form* owner) {
  form.controls_ = std::make_unique<ControlSet>(form.layout(), pictures_);
  ++form.loadCount_;
  const FormLayout& layout = form.layout();
  WindowSpec request;
  request.caption = layout.Caption;
  if (layout.Icon) request.icon = pictures_(*layout.Icon);
  request.client = {layout.ClientLeft, layout.ClientTop, layout.ClientWidth, layout.ClientHeight};
  request.placedBySystem = layout.StartUpPosition == kStartUpWindowSystem;
  if (owner && owner->loaded()) request.owner = owner->window_;
  form.window_ = backend_.openWindow(request);
  form.needsPaint_ = true;
}

void Runtime::show(Form& form, bool modal) {
  if (form.modal_) throw RuntimeError("Form already displayed; can't show modally: " + std::string(form.name()));
  if (!form.loaded()) load(form, modal ? active() : nullptr);
  present(form);
  if (!modal) return;
  // Every other form stops taking input until this one is gone again.
  pointer_.cancel();
  form.modal_ = true;
  modalStack_.push_back(&form);
  try {
    runUntilUnloaded(form);
  } catch (...) {
    form.modal_ = false;
    std::erase(modalStack_, &form);
    throw;
  }
  form.modal_ = false;
  std::erase(modalStack_, &form);
}

void Runtime::runUntilUnloaded(Form& form) {
  while (form.loaded()) {
    presentChanges();
    handle(backend_.nextEvent());
  }
}

void Runtime::unload(Form& form) {
  if (!form.loaded()) return;
  pointer_.cancel();
  backend_.closeWindow(form.window_);
  form.window_ = 0;
  form.controls_.reset();
}

void Runtime::refresh(Form& form) {
  if (form.loaded()) present(form);
}

std::uintptr_t Runtime::windowHandle(const Form& form) const {
  if (!form.loaded()) throw RuntimeError(std::string(form.name()) + " has no window: it is not loaded");
  return backend_.nativeHandle(form.window_);
}

Form* Runtime::active() const {
  if (!modalStack_.empty()) return modalStack_.back();
  for (const auto& [name, form] : forms_)
    if (form->loaded()) return form.get();
  return nullptr;
}

bool Runtime::anyLoaded() const {
  return std::any_of(forms_.begin(), forms_.end(), [](const auto& entry) { return entry.second->loaded(); });
}

Form* Runtime::formOf(WindowId window) const {
  for (const auto& [name, form] : forms_)
    if (form->loaded() && form->window_ == window) return form.get();
  return nullptr;
}

void Runtime::handle(const InputEvent& event) {
  using Kind = InputEvent::Kind;
  if (event.kind == Kind::Quit) {
    pointer_.cancel();
    for (auto& [name, form] : forms_) unload(*form);
    return;
  }
  Form* form = formOf(event.window);
  if (!form) return;
  if (event.kind == Kind::Exposed) {
    form->needsPaint_ = true;
    return;
  }
  // Only the form on top takes input; the others are as good as disabled,
  // and a click on one brings the form that matters back into view.
  if (form != active()) {
    if (event.kind == Kind::Press && active()) backend_.raise(active()->window_);
    return;
  }
  switch (event.kind) {
    case Kind::Press: pointer_.press(*form, event); break;
    case Kind::Move: pointer_.move(*form, event); break;
    case Kind::Release: pointer_.release(*form, event); break;
    case Kind::GrabLost: pointer_.cancel(); break;
    case Kind::Close: unload(*form); break;
    default: break;
  }
}

void Runtime::present(Form& form) {
  backend_.present(form.window_, *form.controls_, pointer_.overlayFor(form));
  form.presentedRevision_ = form.controls_->revision();
  form.needsPaint_ = false;
}

void Runtime::presentChanges() {
  for (auto& [name, form] : forms_)
    if (form->loaded() && (form->needsPaint_ || form->controls_->revision() != form->presentedRevision_))
      present(*form);
}

}  // namespace wizlo
