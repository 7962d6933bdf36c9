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
    if (LoadedForm* state = form->state({})) backend_.closeWindow(state->window);
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
    backend_.reportError(std::string("حدث في ويزلو خطأ لم يكن متوقعًا، فسيُغلق.\n\nWizlo met an error it did not expect "
                                     "and closes: ") + error.what());
    return 1;
  }
}

void Runtime::load(Form& form, Form* owner) {
  auto state = std::make_unique<LoadedForm>(form.layout(), pictures_, ++visits_);
  const FormLayout& layout = form.layout();
  WindowSpec request;
  request.caption = layout.Caption;
  request.description = form.description();
  if (layout.Icon) request.icon = pictures_(*layout.Icon);
  request.client = {layout.ClientLeft, layout.ClientTop, layout.ClientWidth, layout.ClientHeight};
  request.placedBySystem = layout.StartUpPosition == kStartUpWindowSystem;
  if (owner && owner->loaded()) request.owner = owner->state({})->window;
  state->window = backend_.openWindow(request);
  form.setState({}, std::move(state));
}

// A form's pictures, all asked for at once before its first frame. One that cannot be had stops only
// that form, where another stays on screen to go back to: its window closes again, saying why.
bool Runtime::fetchPictures(Form& form) {
  try {
    wizlo::fetchPictures(form.state({})->controls, backend_.scale());
    return true;
  } catch (const PictureUnavailable& missing) {
    const auto loaded = std::count_if(forms_.begin(), forms_.end(), [](const auto& entry) { return entry.second->loaded(); });
    if (loaded < 2) throw;
    unload(form);
    backend_.cannotOpen(form.description(), missing.file());
    return false;
  }
}

bool Runtime::shownModally(const Form& form) const {
  return std::find(modalStack_.begin(), modalStack_.end(), &form) != modalStack_.end();
}

void Runtime::show(Form& form, bool modal) {
  if (shownModally(form))
    throw RuntimeError("Form already displayed; can't show modally: " + std::string(form.name()));
  if (!form.loaded()) {
    load(form, modal ? active() : nullptr);
    if (!fetchPictures(form)) return;
    keyboard_.shown(form);
  }
  present(form);
  if (!modal) return;
  // Every other form stops taking input until this one is gone again.
  pointer_.cancel();
  modalStack_.push_back(&form);
  try {
    runUntilUnloaded(form);
  } catch (...) {
    std::erase(modalStack_, &form);
    throw;
  }
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
  backend_.closeWindow(form.state({})->window);
  form.setState({}, nullptr);
}

void Runtime::refresh(Form& form) {
  if (form.loaded()) present(form);
}

std::uintptr_t Runtime::windowHandle(const Form& form) const {
  if (!form.loaded()) throw RuntimeError(std::string(form.name()) + " has no window: it is not loaded");
  return backend_.nativeHandle(form.state({})->window);
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
    if (const LoadedForm* state = form->state({}); state && state->window == window) return form.get();
  return nullptr;
}

void Runtime::handle(const InputEvent& event) {
  using Kind = InputEvent::Kind;
  if (event.kind == Kind::Quit) {
    pointer_.cancel();
    for (auto& [name, form] : forms_) unload(*form);
    return;
  }
  // Keys are the form's on top, whichever window the system gave them to.
  if (event.kind == Kind::Key) {
    if (Form* on = active()) keyboard_.key(*on, event);
    return;
  }
  Form* form = formOf(event.window);
  if (!form) return;
  if (event.kind == Kind::Exposed) {
    form->requestRepaint();
    return;
  }
  // Only the form on top takes input; the others are as good as disabled,
  // and a click on one brings the form that matters back into view.
  if (form != active()) {
    if (event.kind == Kind::Press && active()) backend_.raise(active()->state({})->window);
    return;
  }
  switch (event.kind) {
    case Kind::Press:
      keyboard_.pointerPressed();
      pointer_.press(*form, event);
      break;
    case Kind::Move: pointer_.move(*form, event); break;
    case Kind::Release: pointer_.release(*form, event); break;
    case Kind::Cancel: pointer_.cancel(event); break;
    case Kind::GrabLost: pointer_.grabLost(); break;
    case Kind::Close: unload(*form); break;
    default: break;
  }
}

void Runtime::present(Form& form) {
  LoadedForm& state = *form.state({});
  const double scale = backend_.scale();
  const FrameView frame = backend_.frame(state.window);
  Overlay overlay = pointer_.overlayFor(form);
  keyboard_.addTo(overlay, form);
  if (const std::optional<Rect> damaged = state.controls.damaged(); damaged && frame.pixels) {
    // Two pixels more on every side: pictures are resampled to their rectangles' rounded edges.
    const PixelRect area = toPixels(*damaged, scale);
    const int x0 = std::max(area.x - 2, 0), y0 = std::max(area.y - 2, 0);
    const PixelRect region{x0, y0, std::min(area.x + area.width + 2, frame.width) - x0,
                           std::min(area.y + area.height + 2, frame.height) - y0};
    if (region.width > 0 && region.height > 0) {
      compose(state.controls, overlay, scale, frame, state.images, region);
      backend_.showChanged(state.window, region);
    }
  } else {
    if (frame.pixels) compose(state.controls, overlay, scale, frame, state.images);
    backend_.show(state.window);
  }
  state.controls.painted();
}

void Runtime::presentChanges() {
  for (auto& [name, form] : forms_)
    if (LoadedForm* state = form->state({}); state && state->controls.repaintRequested()) present(*form);
}

}  // namespace wizlo
